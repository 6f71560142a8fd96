#include "components/outline/TColdmereOutline.h"

TColdmereOutline::TColdmereOutline(QWidget* parent) : TColdmereCustomOutline(parent) {}

TColdmereOutline::~TColdmereOutline() = default;
