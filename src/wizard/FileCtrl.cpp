#include "wizard/FileCtrl.h"

#include <cctype>

void TDriveComboBox::SetCurrentDrive(char drive) {
    if (std::isalpha(static_cast<unsigned char>(drive)))
        FCurrentDrive = static_cast<char>(std::tolower(static_cast<unsigned char>(drive)));
}
