// The editor's real dialogs, answered by a timer as a user would answer them.
#include "editor/TQtEditorDialogs.h"
#include "common/TestSupport.h"
#include "editor/TFontColourDialog.h"
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs answer on the modal dialog as soon as it is up.
template <class Dialog>
void Answer(std::function<void(Dialog*)> answer, int delay = 0)
{
    QTimer::singleShot(delay, [answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            answer(dialog);
        else
            Answer<Dialog>(answer, 10);
    });
}

TEST(QtEditorDialogsTest, OpenDialogUsesTheSetupAndFindsNamesInAnyCase)
{
    QTemporaryDir tmp;
    WriteTestFile(tmp.filePath("LOGO.BMP"), "x");
    WriteTestFile(tmp.filePath("notes.txt"), "x");
    QWidget owner;
    TQtEditorDialogs dialogs(&owner);
    dialogs.OpenSetup() = {"BMP Files (*.bmp)|*.bmp", "BMP", tmp.path(), "Pick one"};

    QStringList filters;
    QString title, directory;
    Answer<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        title = d->windowTitle();
        directory = d->directory().absolutePath();
        d->selectFile(tmp.filePath("LOGO.BMP"));
        static_cast<QDialog*>(d)->accept();
    });
    const std::optional<QString> chosen = dialogs.ExecuteOpen();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(*chosen).fileName(), "LOGO.BMP");
    // Shown as written, matched in either letter case (the dialog strips the last list).
    EXPECT_EQ(filters, QStringList({"BMP Files (*.bmp) (*.[bB][mM][pP])"}));
    EXPECT_EQ(title, "Pick one");
    EXPECT_EQ(directory, QDir(tmp.path()).absolutePath());

    Answer<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_FALSE(dialogs.ExecuteOpen().has_value());
}

TEST(QtEditorDialogsTest, ColourDialogOpensWithTheLastColourOrThePreset)
{
    QWidget owner;
    TQtEditorDialogs dialogs(&owner);
    QColor shown;
    Answer<QColorDialog>([&](QColorDialog* d) {
        shown = d->currentColor();
        d->setCurrentColor(QColor(0, 0, 255));
        d->accept();
    });
    EXPECT_EQ(dialogs.ExecuteColour(), std::optional<qint32>(0xFF0000));
    EXPECT_EQ(shown, QColor(0, 0, 0));

    Answer<QColorDialog>([&](QColorDialog* d) {
        shown = d->currentColor();
        d->reject();
    });
    EXPECT_FALSE(dialogs.ExecuteColour().has_value());
    EXPECT_EQ(shown, QColor(0, 0, 255));

    Answer<QColorDialog>([&](QColorDialog* d) {
        shown = d->currentColor();
        d->accept();
    });
    EXPECT_EQ(dialogs.ExecuteColour(255), std::optional<qint32>(255));
    EXPECT_EQ(shown, QColor(255, 0, 0));
}

TEST(QtEditorDialogsTest, FontDialogGivesFontAndColourAndStartsWithTheLastChoice)
{
    QWidget owner;
    TQtEditorDialogs dialogs(&owner);
    Answer<TFontColourDialog>([](TFontColourDialog* d) { d->accept(); });
    const std::optional<TEditorDialogs::TFontChoice> first = dialogs.ExecuteFont();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->Colour, 0);

    TEditorDialogs::TFontChoice initial;
    initial.Font = QFont("Arial");
    initial.Font.setPointSize(12);
    initial.Colour = 255;
    TFontColourDialog dialog(initial);
    EXPECT_EQ(dialog.Choice().Colour, 255);
    EXPECT_EQ(dialog.Choice().Font.pointSize(), 12);
    // A colour outside the sixteen is kept as a custom entry.
    initial.Colour = 0x123456;
    EXPECT_EQ(TFontColourDialog(initial).Choice().Colour, 0x123456);
    // A face this system lacks is shown as a face it has, and kept unless another is picked.
    initial.Font = QFont("MS Sans Serif");
    initial.Font.setPointSize(10);
    EXPECT_EQ(TFontColourDialog(initial).Choice().Font.family(), "MS Sans Serif");

    Answer<TFontColourDialog>([](TFontColourDialog* d) { d->reject(); });
    EXPECT_FALSE(dialogs.ExecuteFont().has_value());
}

} // namespace
