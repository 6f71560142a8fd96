// Pictures and form controls in the flow of the text.
#include "common/TestSupport.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class THtmlObjectsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(QColor(0, 0, 200));
        ASSERT_TRUE(picture.save(m_dir.path() + QStringLiteral("/blue.png")));
        QImage bmp(16, 16, QImage::Format_RGB32);
        bmp.fill(Qt::yellow);
        ASSERT_TRUE(bmp.save(m_dir.path() + QStringLiteral("/yellow.bmp")));
        ASSERT_TRUE(bmp.save(m_dir.path() + QStringLiteral("/yellow.jpg")));
        WriteTestFile(m_dir.path() + QStringLiteral("/fake.gif"), "this is no picture at all");
        m_pane.SetDefBackground(TColours::clWhite);
        m_pane.resize(500, 400);
        m_pane.show();
    }
    void Load(const QByteArray& html)
    {
        WriteTestFile(m_dir.path() + QStringLiteral("/page.htm"), html);
        m_pane.LoadFile(m_dir.path() + QStringLiteral("/page.htm"));
        QCoreApplication::processEvents();
    }
    const std::vector<THtmlObject>& Objects() { return m_pane.View()->Objects(); }

    QTemporaryDir m_dir;
    THtmlPane m_pane;
};

TEST_F(THtmlObjectsTest, PicturesTakeTheirSizeBorderAndSpaces)
{
    Load("<img src=blue.png> <img src=BLUE.PNG width=80> <img src=blue.png height=10> "
         "<img src=blue.png width=10 height=10 border=3 hspace=4 vspace=2> <a href=x.htm><img "
         "src=blue.png></a> "
         "<img src=yellow.bmp> <img src=yellow.jpg>");
    ASSERT_EQ(Objects().size(), 7u);
    EXPECT_EQ(Objects()[0].size, QSize(40, 20));
    EXPECT_EQ(Objects()[1].size, QSize(80, 40)) << "a given width keeps the proportions";
    EXPECT_EQ(Objects()[2].size, QSize(20, 10));
    EXPECT_EQ(Objects()[3].size, QSize(10 + 2 * (3 + 4), 10 + 2 * (3 + 2)));
    EXPECT_EQ(Objects()[4].size, QSize(44, 24)) << "a picture link has a border of 2";
    EXPECT_FALSE(Objects()[5].image.isNull()) << "BMP";
    EXPECT_FALSE(Objects()[6].image.isNull()) << "JPEG";

    const QImage shot = m_pane.grab().toImage();
    const THtmlObject& first = Objects()[0];
    ASSERT_TRUE(first.wasDrawn);
    const QPoint inside = first.drawn.center().toPoint() -
                          QPoint(m_pane.HorzPosition(), m_pane.Position()) +
                          m_pane.View()->mapTo(&m_pane, QPoint(0, 0));
    EXPECT_EQ(QColor(shot.pixel(inside)), QColor(0, 0, 200));
}

TEST_F(THtmlObjectsTest, AMissingPictureShowsItsAltTextInAFrame)
{
    Load("<p><img src=missing.gif alt=\"Harbour map\"> <img src=fake.gif alt=\"Not a picture\" "
         "width=120 height=40>"
         " <img src=nothing.png></p>");
    ASSERT_EQ(Objects().size(), 3u);
    EXPECT_TRUE(Objects()[0].image.isNull());
    const QFontMetrics fm(QFont(m_pane.DefFontName(), m_pane.DefFontSize()));
    EXPECT_GE(Objects()[0].size.width(), fm.horizontalAdvance(QStringLiteral("Harbour map")));
    EXPECT_EQ(Objects()[1].size, QSize(120, 40)) << "a file that is not a picture is missing too";
    EXPECT_EQ(Objects()[2].size, QSize(20, 20));

    // The frame is drawn and the text inside it is dark.
    const QImage shot = m_pane.grab().toImage();
    const QRectF box = Objects()[0].drawn.translated(m_pane.View()->mapTo(&m_pane, QPoint(0, 0)));
    int dark = 0;
    for (int x = int(box.left()) + 2; x < int(box.right()) - 2; ++x)
        for (int y = int(box.top()) + 2; y < int(box.bottom()) - 2; ++y)
            if (qGray(shot.pixel(x, y)) < 100)
                ++dark;
    EXPECT_GT(dark, 10);
    EXPECT_EQ(QColor(shot.pixel(box.topLeft().toPoint() + QPoint(1, 0))), QColor(128, 128, 128));
}

TEST_F(THtmlObjectsTest, WithoutViewImagesEveryPictureIsItsAltFrame)
{
    m_pane.SetViewImages(false);
    Load("<img src=blue.png alt=Blue>");
    ASSERT_EQ(Objects().size(), 1u);
    EXPECT_TRUE(Objects()[0].image.isNull());
}

TEST_F(THtmlObjectsTest, FormControlsAreRealWidgetsPlacedInTheText)
{
    Load("<form><p>Name <input name=n value=\"Ann\" size=12 maxlength=20> Secret <input "
         "type=password value=pw>"
         "<p><input type=checkbox checked> Yes <input type=radio name=r value=a checked> A "
         "<input type=radio name=r value=b> B"
         "<p><select name=s><option>One<option selected>Two</select>"
         "<select name=m multiple size=3><option selected>x<option>y<option selected>z</select>"
         "<p><textarea rows=3 cols=20>Line one\nLine two</textarea>"
         "<p><input type=submit> <input type=reset value=Clear> <input type=file> <input "
         "type=hidden value=h></form>");
    ASSERT_EQ(Objects().size(), 11u);
    auto* name = qobject_cast<QLineEdit*>(Objects()[0].widget.data());
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("Ann"));
    EXPECT_EQ(name->maxLength(), 20);
    EXPECT_EQ(qobject_cast<QLineEdit*>(Objects()[1].widget.data())->echoMode(),
              QLineEdit::Password);
    EXPECT_TRUE(qobject_cast<QCheckBox*>(Objects()[2].widget.data())->isChecked());
    auto* a = qobject_cast<QRadioButton*>(Objects()[3].widget.data());
    auto* b = qobject_cast<QRadioButton*>(Objects()[4].widget.data());
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(a->isChecked());
    auto* combo = qobject_cast<QComboBox*>(Objects()[5].widget.data());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Two"));
    auto* list = qobject_cast<QListWidget*>(Objects()[6].widget.data());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->selectedItems().size(), 2);
    auto* area = qobject_cast<QPlainTextEdit*>(Objects()[7].widget.data());
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->toPlainText(), QStringLiteral("Line one\nLine two"));
    EXPECT_EQ(qobject_cast<QPushButton*>(Objects()[8].widget.data())->text(),
              QStringLiteral("Submit Query"));

    // Each widget sits where the text leaves room for it, and shows.
    m_pane.grab();
    for (int i = 0; i < 11; ++i) {
        const THtmlObject& o = Objects()[i];
        ASSERT_TRUE(o.widget) << i;
        EXPECT_TRUE(o.widget->isVisible()) << i;
        const QRect expected =
            o.drawn.toRect().translated(-m_pane.HorzPosition(), -m_pane.Position());
        EXPECT_EQ(o.widget->geometry(), expected) << i;
    }

    // They are usable: typing, choosing; radios of one name exclude each other.
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Bob"));
    EXPECT_EQ(name->text(), QStringLiteral("Bob"));
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_TRUE(b->isChecked());
    EXPECT_FALSE(a->isChecked());
    combo->setCurrentIndex(0);

    // Reset puts the form back; submitting does nothing at all.
    auto* submit = qobject_cast<QPushButton*>(Objects()[8].widget.data());
    const QString shown = m_pane.CurrentFile();
    QTest::mouseClick(submit, Qt::LeftButton);
    EXPECT_EQ(m_pane.CurrentFile(), shown);
    QTest::mouseClick(qobject_cast<QPushButton*>(Objects()[9].widget.data()), Qt::LeftButton);
    EXPECT_EQ(name->text(), QStringLiteral("Ann"));
    EXPECT_TRUE(a->isChecked());
    EXPECT_FALSE(b->isChecked());
    EXPECT_EQ(combo->currentText(), QStringLiteral("Two"));
}

TEST_F(THtmlObjectsTest, ControlsFollowTheTextWhenItScrolls)
{
    QByteArray filler;
    for (int i = 0; i < 40; ++i)
        filler += "<p>filler " + QByteArray::number(i) + "</p>";
    Load(filler + "<p>Field <input name=f></p>" + filler);
    QWidget* field = Objects()[0].widget;
    ASSERT_NE(field, nullptr);
    m_pane.grab();
    const QPoint before = field->pos();
    m_pane.SetPosition(300);
    QCoreApplication::processEvents();
    EXPECT_EQ(field->pos(), before - QPoint(0, 300));
}

} // namespace
