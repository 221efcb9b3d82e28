#pragma once

#include "settings/Settings.h"

#include <QDialog>
#include <cstdint>
#include <string>
#include <string_view>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace pagora {

// The options dialog: the size of the page squares and whether the page map stands right of
// the grid or below it. The choices go straight into the settings store; the main window
// reads them back from there. It also carries the settings operations as class-level
// operations, callable without a dialog.
class TOptionenFrm : public QDialog {
    Q_OBJECT

public:
    explicit TOptionenFrm(QWidget* parent = nullptr);

    // Runs the dialog modally over `parent` and stores the choices however it was closed.
    // A refused write raises ESettingsError; the dialog is freed in any case.
    static void ShowOptions(QWidget* parent);

    // Sets the two lists from the store; a stored size without an entry selects none.
    static void LoadOptions(TOptionenFrm& form);
    // Writes "ArrangeMemory" (index of cbbAnzeige) and "BlockSize" (text of the selected
    // size, empty when none is selected).
    static void SaveOptions(TOptionenFrm& form);

    // The settings operations.
    static std::string ReadBlockSize() { return pagora::ReadBlockSize(); }
    static std::uint8_t ReadArrangement() { return pagora::ReadArrangement(); }
    static std::int32_t ReadIntSetting(std::string_view name) {
        return pagora::ReadIntSetting(name);
    }
    static void WriteIntSetting(std::string_view name, std::int32_t value) {
        pagora::WriteIntSetting(name, value);
    }
    static void RegisterProgramPath(std::string_view fullPath) {
        pagora::RegisterProgramPath(fullPath);
    }

private:
    QGroupBox* grpAussehen;
    QLabel* lblMemoryBlockSize;
    QComboBox* cbbBlockSize;
    QLabel* lblSpeicherbersicht;
    QComboBox* cbbAnzeige;
    QPushButton* btnOK;
};

} // namespace pagora
