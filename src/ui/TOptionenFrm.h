#pragma once

#include "settings/Settings.h"

#include <QDialog>
#include <QFont>
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
    static constexpr std::int32_t NoValue = pagora::NoValue;

    explicit TOptionenFrm(QWidget* parent = nullptr);

    // Tahoma, 8 points: the font of the program's dialogs. Where the system lacks Tahoma, the
    // free Tahoma of the fonts-wine package is registered first, so that the dialogs' texts
    // keep the widths their fixed layouts were made for.
    static QFont DialogFont();

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
    // Records the running program file (QCoreApplication::applicationFilePath()).
    static void RegisterProgramPath();

private:
    QGroupBox* grpAussehen;
    QLabel* lblMemoryBlockSize;
    QComboBox* cbbBlockSize;
    QLabel* lblSpeicherbersicht;
    QComboBox* cbbAnzeige;
    QPushButton* btnOK;
};

} // namespace pagora
