#include "TColdmereOutline.h"

TColdmereOutline::TColdmereOutline(QWidget* parent) : TColdmereCustomOutline(parent) {}

TColdmereOutline::~TColdmereOutline() = default;
