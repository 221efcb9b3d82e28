/* A lookup-table heavy program: a sine table and a font in flash, large enough to need
   more than 8 KiB and so to overflow the smaller parts. */
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <stdint.h>

#define STEPS 256
#define TABLE_WORDS 4096

static const uint16_t big_table[TABLE_WORDS] PROGMEM = {
#define R(i) (uint16_t)((i) * 2654435761u >> 16),
#define R8(i) R(i) R(i + 1) R(i + 2) R(i + 3) R(i + 4) R(i + 5) R(i + 6) R(i + 7)
#define R64(i) R8(i) R8(i + 8) R8(i + 16) R8(i + 24) R8(i + 32) R8(i + 40) R8(i + 48) R8(i + 56)
#define R512(i) R64(i) R64(i + 64) R64(i + 128) R64(i + 192) R64(i + 256) R64(i + 320) R64(i + 384) R64(i + 448)
    R512(0) R512(512) R512(1024) R512(1536) R512(2048) R512(2560) R512(3072) R512(3584)};

int main(void) {
    DDRB = 0xFF;
    uint16_t i = 0;
    for (;;) {
        PORTB = (uint8_t)pgm_read_word(&big_table[i]);
        i = (i + 1) % TABLE_WORDS;
    }
}
