// The drive box of the destination page.
#pragma once

#include "framework/StdCtrls.h"

// The drive box: knows the drive it currently shows, as a lower-case letter.
class TDriveComboBox : public TComboBox {
public:
    char CurrentDrive() const { return FCurrentDrive; }
    void SetCurrentDrive(char drive);

private:
    char FCurrentDrive = 'c';
};
