#pragma once
#include "receipt/ReceiptSettingsForm.h"

#include <QDialog>
#include <array>

class Database;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class PrinterSettingsPage;

// The modal dialog "打印设置": paper, layout, copies, the two extra lines, the
// top and bottom pictures, the font of each line group of the receipt and
// the printer it goes to.
// Values are read from storage when it opens and written only when applied.
class ReceiptSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    using Picture = ReceiptSettingsForm::Picture;

    explicit ReceiptSettingsDialog(Database& db, QWidget* parent = nullptr);

    void loadSettingsDialog();
    void setStyleControlsEnabled(bool enabled);
    bool validateSettingsDialog();
    bool saveSettingsDialog();
    bool applySettings();
    // Takes the file as the picture shown; the "选择" buttons call it with the
    // file picked in the file dialog.
    void choosePicture(Picture which, const QString& path);

  signals:
    // Every apply, so that an open preview redraws with the new settings.
    void settingsApplied();

  private:
    struct FontRow {
        QLineEdit* size = nullptr;
        QCheckBox* bold = nullptr;
    };
    struct PictureControls {
        QCheckBox* print = nullptr;
        QLineEdit* path = nullptr;
        QPushButton* choose = nullptr;
        QLabel* view = nullptr;
    };

    QWidget* buildHeader();
    QWidget* buildSettingsPage();
    QWidget* buildFontPage();
    QWidget* buildPictureColumn(Picture which);
    QWidget* buildButtons();
    PictureControls& controls(Picture which);
    void showPicture(Picture which);
    void pickPicture(Picture which);
    void confirm();
    bool validatePrinter();
    void printTestPage();
    ReceiptSettingsForm readForm() const;
    void writeForm(const ReceiptSettingsForm& form);

    Database& m_db;
    // Bytes of the two picture boxes, as they would be written.
    std::array<std::vector<unsigned char>, 2> m_pictureBytes;
    QComboBox* m_receiptType = nullptr;
    QComboBox* m_layoutMode = nullptr;
    QLineEdit* m_copies = nullptr;
    QCheckBox* m_extra1 = nullptr;
    QLineEdit* m_extra1Text = nullptr;
    QCheckBox* m_extra2 = nullptr;
    QLineEdit* m_extra2Text = nullptr;
    PictureControls m_top;
    PictureControls m_bottom;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_fontPage = nullptr;
    PrinterSettingsPage* m_printerPage = nullptr;
    std::array<FontRow, ReceiptSettingsForm::kLineGroups> m_fontRows;
};
