/* Blinks an LED on PB0 and keeps a start counter in the EEPROM. */
#include <avr/eeprom.h>
#include <avr/io.h>
#include <util/delay.h>

static const char banner[] = "AVR-Pagora example: blink";
uint16_t EEMEM starts = 0;
uint8_t EEMEM pattern[16] = {0x01, 0x03, 0x07, 0x0F, 0x1F, 0x3F, 0x7F, 0xFF,
                             0x7F, 0x3F, 0x1F, 0x0F, 0x07, 0x03, 0x01, 0x00};

int main(void) {
    eeprom_write_word(&starts, eeprom_read_word(&starts) + 1);
    DDRB |= _BV(PB0);
    for (;;) {
        for (uint8_t i = 0; i < sizeof banner; ++i) {
            PORTB = (PORTB & ~_BV(PB0)) | (banner[i] & 1);
            _delay_ms(100);
        }
    }
}
