#pragma once
#include <QWidget>
#include <QtGlobal>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TEditorContext;
class TROutliner;

// "Outline Style": colours, text, font, cell height, gaps, cell shapes, copy modes and the
// background of the folder outline.
class TOutlineStylePage : public QWidget
{
    Q_OBJECT
public:
    TOutlineStylePage(TEditorContext& context, QWidget* parent = nullptr);

    // Shows the outline's background style, gaps, cell shapes, copy modes and item height;
    // false when that failed.
    bool Fill();

    void Button25Click(); // "Foreground"
    void Button17Click(); // "Normal Cells"
    void Button18Click(); // "HiLight Cell"
    void Button21Click(); // "Normal Text"
    void Button22Click(); // "HilightText"
    void Button23Click(); // "Three D Text"
    void Button24Click(); // "Font"
    void Edit9Change();   // "Cell Height"
    void Button19Click(); // "Gaps"
    void OLCDSComboChange();
    void OLCOComboChange();
    void OLMMComboChange();
    void OLCMComboChange();
    void OLBSComboChange();
    void OLBitmapButtonClick();
    void OLHiLightButtonClick();
    void OLLoLightButtonClick();

    QPushButton* Button25 = nullptr;
    QPushButton* Button17 = nullptr;
    QPushButton* Button18 = nullptr;
    QPushButton* Button21 = nullptr;
    QPushButton* Button22 = nullptr;
    QPushButton* Button23 = nullptr;
    QPushButton* Button24 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QPushButton* Button19 = nullptr;
    QComboBox* OLCDSCombo = nullptr;
    QComboBox* OLCOCombo = nullptr;
    QComboBox* OLMMCombo = nullptr;
    QComboBox* OLCMCombo = nullptr;
    QComboBox* OLBSCombo = nullptr;
    QPushButton* OLBitmapButton = nullptr;
    QPushButton* OLHiLightButton = nullptr;
    QPushButton* OLLoLightButton = nullptr;
    QLabel* StitchingNote = nullptr;

    static const QString StitchingText;

private:
    // Runs the colour dialog and hands the confirmed colour to set.
    void Colour(const std::function<qint32(const TROutliner&)>& get,
                const std::function<void(TROutliner&, qint32)>& set);
    // Applies a change to the outline and repaints it.
    void Change(const std::function<void(TROutliner&)>& change);

    TEditorContext& m_context;
    bool m_filling = false;      // the fields are being filled: their handlers stay still
    bool m_typingHeight = false; // "Cell Height" is being typed: it is shown when left
};
