#pragma once
#include "components/outline/TColdmereCustomOutline.h"

// The outline control the program's outliners derive from.
class TColdmereOutline : public TColdmereCustomOutline
{
    Q_OBJECT
public:
    explicit TColdmereOutline(QWidget* parent = nullptr);
    ~TColdmereOutline() override;
};
