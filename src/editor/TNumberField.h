#pragma once
#include <QString>

// How the editor reads the sizes typed into its small edit fields: a whole decimal number,
// or hexadecimal after a leading "$"; a sign may come first and blanks before the number
// are skipped. Anything else, an empty field included, counts as 0, without a message.
// Negative numbers are passed on as they are: the controls apply their own limits.
class TNumberField
{
public:
    static int Value(const QString& text);
};
