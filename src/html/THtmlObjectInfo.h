#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// Something a document places in the flow of its text that the rich-text engine cannot
// draw itself: a picture (with its border, ALT text and image map) or a form control.
struct THtmlObjectInfo
{
    enum Kind {
        Image,
        TextInput,
        Password,
        CheckBox,
        Radio,
        Submit,
        Reset,
        Button,
        ImageButton,
        File,
        Select,
        TextArea
    };

    Kind kind = Image;
    // Pictures (and image buttons).
    QString src; // as written
    QString alt;
    int width = -1; // -1: the picture's own size
    int height = -1;
    int border = -1; // -1: none, or 2 inside a link
    int hspace = 0;
    int vspace = 0;
    QString mapName;    // USEMAP without "#", lower case
    int linkIndex = -1; // the link the object stands in, or -1
    // Form controls.
    int form = -1; // index of the enclosing form, or -1
    QString name;
    QString value;
    bool checked = false;
    int size = -1; // characters of a text field, visible rows of a list
    int maxLength = -1;
    int rows = -1;
    int cols = -1;
    bool multiple = false;
    QStringList options;
    QStringList optionValues;
    QList<bool> optionSelected;
    QString text; // the initial text of a TEXTAREA
};
