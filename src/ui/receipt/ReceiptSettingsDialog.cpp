#include "ui/receipt/ReceiptSettingsDialog.h"
#include "ui/common/ColumnLimits.h"

#include "printer/PngImage.h"
#include "printer/PrinterConnection.h"
#include "storage/config/ProgramFolder.h"
#include "storage/config/SettingsStore.h"
#include "ui/common/MessageBoxes.h"
#include "ui/receipt/PrinterSettingsPage.h"
#include "ui/receipt/ThermalPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

extern const unsigned char placeholderTopPng[];
extern const unsigned long placeholderTopPng_size;
extern const unsigned char placeholderBottomPng[];
extern const unsigned long placeholderBottomPng_size;

namespace {

constexpr QSize kPictureBox(300, 150);

// Control names are both the object name and the accessible description;
// the accessible name is what the cashier reads on or beside the control.
template <typename W> W* named(W* widget, const QString& controlName, const QString& caption) {
    widget->setObjectName(controlName);
    widget->setAccessibleDescription(controlName);
    widget->setAccessibleName(caption);
    return widget;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string ss(const QString& text) {
    return text.toStdString();
}

int pictureIndex(ReceiptSettingsDialog::Picture which) {
    return which == ReceiptSettingsDialog::Picture::Top ? 0 : 1;
}

// Decoded by the same decoder as the receipt, so that the dialog shows exactly
// the pictures that will print.
QImage toImage(const PngImage& png) {
    if (png.isNull())
        return {};
    return QImage(png.rgba().data(), png.width(), png.height(), png.width() * 4,
                  QImage::Format_RGBA8888)
        .copy();
}

QImage placeholder(ReceiptSettingsDialog::Picture which) {
    const bool top = which == ReceiptSettingsDialog::Picture::Top;
    return toImage(PngImage::fromBytes(top ? placeholderTopPng : placeholderBottomPng,
                                       top ? placeholderTopPng_size : placeholderBottomPng_size));
}

QString dataFolder() {
    return qs(ProgramFolder::path()) + QStringLiteral("/data");
}

} // namespace

ReceiptSettingsDialog::ReceiptSettingsDialog(Database& db, QWidget* parent)
    : QDialog(parent), m_db(db) {
    setWindowTitle(QStringLiteral("打印设置"));
    setObjectName(QStringLiteral("打印设置"));
    setModal(true);

    m_tabs = named(new QTabWidget, QStringLiteral("选择夹1"), QStringLiteral("设置选项卡"));
    m_tabs->addTab(buildSettingsPage(), QStringLiteral("设置"));
    m_fontPage = buildFontPage();
    m_tabs->addTab(m_fontPage, QStringLiteral("字体设置"));
    m_printerPage = new PrinterSettingsPage;
    m_tabs->addTab(m_printerPage, QStringLiteral("打印机"));
    connect(m_printerPage, &PrinterSettingsPage::testPageRequested, this,
            &ReceiptSettingsDialog::printTestPage);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildHeader());
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buildButtons());

    connect(m_layoutMode, &QComboBox::currentIndexChanged, this,
            [this](int index) { setStyleControlsEnabled(index != 0); });
    connect(m_copies, &QLineEdit::editingFinished, this, [this] {
        m_copies->setText(qs(ReceiptSettingsForm::correctedCopies(ss(m_copies->text()))));
    });
    loadSettingsDialog();
}

QWidget* ReceiptSettingsDialog::buildHeader() {
    m_receiptType =
        named(new QComboBox, QStringLiteral("组合框_小票类型"), QStringLiteral("小票类型"));
    m_receiptType->addItems({QStringLiteral("58小票"), QStringLiteral("80小票")});
    m_layoutMode =
        named(new QComboBox, QStringLiteral("组合框_设置类型"), QStringLiteral("设置类型"));
    m_layoutMode->addItems({QStringLiteral("默认设置"), QStringLiteral("自定义")});
    m_copies = named(new QLineEdit, QStringLiteral("编辑框份数"), QStringLiteral("小票打印份数："));
    m_copies->setMaximumWidth(60);

    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("小票类型：")));
    row->addWidget(m_receiptType);
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("设置类型：")));
    row->addWidget(m_layoutMode);
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("小票打印份数：")));
    row->addWidget(m_copies);
    row->addStretch(1);
    return header;
}

QWidget* ReceiptSettingsDialog::buildSettingsPage() {
    m_extra1 = named(new QCheckBox(QStringLiteral("打印附带信息1：")), QStringLiteral("选择框1"),
                     QStringLiteral("打印附带信息1："));
    m_extra1Text = named(new QLineEdit, QStringLiteral("编辑框1"), QStringLiteral("附带信息1"));
    m_extra2 = named(new QCheckBox(QStringLiteral("打印附带信息2：")), QStringLiteral("选择框2"),
                     QStringLiteral("打印附带信息2："));
    m_extra2Text = named(new QLineEdit, QStringLiteral("编辑框2"), QStringLiteral("附带信息2"));
    for (QLineEdit* text : {m_extra1Text, m_extra2Text})
        ColumnLimits::apply(text, "记录", "记录信息");

    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(m_extra1, 0, 0);
    grid->addWidget(m_extra1Text, 0, 1);
    grid->addWidget(m_extra2, 1, 0);
    grid->addWidget(m_extra2Text, 1, 1);
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(buildPictureColumn(Picture::Top));
    pictures->addWidget(buildPictureColumn(Picture::Bottom));
    grid->addLayout(pictures, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* ReceiptSettingsDialog::buildPictureColumn(Picture which) {
    const bool top = which == Picture::Top;
    PictureControls& c = controls(which);
    const QString caption =
        top ? QStringLiteral("打印顶部图片：") : QStringLiteral("打印底部图片：");
    c.print = named(new QCheckBox(caption),
                    top ? QStringLiteral("选择框3") : QStringLiteral("选择框4"), caption);
    c.path = named(new QLineEdit,
                   top ? QStringLiteral("编辑框_顶部图片") : QStringLiteral("编辑框_底部图片"),
                   top ? QStringLiteral("顶部图片文件") : QStringLiteral("底部图片文件"));
    // Only the chooser fills the path: a typed path would have no picture behind it.
    c.path->setReadOnly(true);
    c.choose =
        named(new QPushButton(QStringLiteral("选择")),
              top ? QStringLiteral("按钮_选择顶部图片") : QStringLiteral("按钮_选择底部图片"),
              QStringLiteral("选择"));
    c.view = named(new QLabel, top ? QStringLiteral("图片框1") : QStringLiteral("图片框2"),
                   top ? QStringLiteral("顶部图片") : QStringLiteral("底部图片"));
    c.view->setFixedSize(kPictureBox);
    c.view->setAlignment(Qt::AlignCenter);
    c.view->setFrameShape(QFrame::StyledPanel);
    connect(c.choose, &QPushButton::clicked, this, [this, which] { pickPicture(which); });

    auto* column = new QWidget;
    auto* grid = new QGridLayout(column);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(c.print, 0, 0, 1, 2);
    grid->addWidget(c.path, 1, 0);
    grid->addWidget(c.choose, 1, 1);
    grid->addWidget(c.view, 2, 0, 1, 2);
    return column;
}

QWidget* ReceiptSettingsDialog::buildFontPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    const auto& labels = ReceiptSettingsForm::lineGroupLabels();
    const int perColumn = (ReceiptSettingsForm::kLineGroups + 1) / 2;
    for (int i = 0; i < ReceiptSettingsForm::kLineGroups; ++i) {
        const QString number = QString::number(i + 1);
        const QString label = qs(labels[i]);
        FontRow& row = m_fontRows[i];
        row.size = named(new QLineEdit, QStringLiteral("编辑框字体大小") + number,
                         label + QStringLiteral("字体大小"));
        row.size->setMaximumWidth(60);
        row.bold = named(new QCheckBox(QStringLiteral("加粗")),
                         QStringLiteral("选择框_加粗_") + number, label + QStringLiteral("加粗"));
        const int r = i % perColumn;
        const int c = (i / perColumn) * 5;
        grid->addWidget(new QLabel(label), r, c, Qt::AlignRight);
        grid->addWidget(new QLabel(QStringLiteral("字体大小：")), r, c + 1);
        grid->addWidget(row.size, r, c + 2);
        grid->addWidget(row.bold, r, c + 3);
    }
    grid->setColumnMinimumWidth(4, 32);
    auto* note =
        named(new QLabel(qs(ReceiptSettingsForm::fontSizeNote())),
              QStringLiteral("标签_字体大小范围"), qs(ReceiptSettingsForm::fontSizeNote()));
    grid->addWidget(note, perColumn, 0, 1, 9);
    grid->setRowStretch(perColumn + 1, 1);
    grid->setColumnStretch(9, 1);
    return page;
}

QWidget* ReceiptSettingsDialog::buildButtons() {
    auto* apply = named(new QPushButton(QStringLiteral("应用设置")),
                        QStringLiteral("按钮_应用设置"), QStringLiteral("应用设置"));
    auto* confirmButton = named(new QPushButton(QStringLiteral("确认")),
                                QStringLiteral("按钮_确认"), QStringLiteral("确认"));
    apply->setAutoDefault(false);
    confirmButton->setAutoDefault(false);
    connect(apply, &QPushButton::clicked, this, &ReceiptSettingsDialog::applySettings);
    connect(confirmButton, &QPushButton::clicked, this, &ReceiptSettingsDialog::confirm);

    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    row->addWidget(apply);
    row->addWidget(confirmButton);
    return buttons;
}

ReceiptSettingsDialog::PictureControls& ReceiptSettingsDialog::controls(Picture which) {
    return which == Picture::Top ? m_top : m_bottom;
}

void ReceiptSettingsDialog::loadSettingsDialog() {
    writeForm(ReceiptSettingsForm::load(SettingsStore(m_db), ss(dataFolder())));
    setStyleControlsEnabled(m_layoutMode->currentIndex() != 0);
}

void ReceiptSettingsDialog::setStyleControlsEnabled(bool enabled) {
    for (PictureControls* c : {&m_top, &m_bottom}) {
        c->print->setEnabled(enabled);
        c->path->setEnabled(enabled);
        c->choose->setEnabled(enabled);
    }
    for (FontRow& row : m_fontRows) {
        row.size->setEnabled(enabled);
        row.bold->setEnabled(enabled);
    }
}

bool ReceiptSettingsDialog::validateSettingsDialog() {
    ReceiptSettingsForm form = readForm();
    const std::optional<int> badRow = form.validate();
    m_copies->setText(qs(form.copies));
    if (!badRow)
        return validatePrinter();
    QLineEdit* box = m_fontRows[*badRow].size;
    m_tabs->setCurrentWidget(m_fontPage);
    box->setFocus();
    box->selectAll();
    MessageBoxes::instance().inform(this, qs(ReceiptSettingsForm::fontSizeMessage()),
                                    MessageBoxes::Icon::Information, QStringLiteral("提示"));
    return false;
}

bool ReceiptSettingsDialog::validatePrinter() {
    if (m_printerPage->settings().connectionAccepted())
        return true;
    m_tabs->setCurrentWidget(m_printerPage);
    m_printerPage->connectionBox()->setFocus();
    m_printerPage->connectionBox()->lineEdit()->selectAll();
    MessageBoxes::instance().inform(this, qs(ReceiptSettingsForm::connectionMessage()),
                                    MessageBoxes::Icon::Information, QStringLiteral("提示"));
    return false;
}

// The test page goes to the printer as the page shows it, applied or not.
void ReceiptSettingsDialog::printTestPage() {
    PrinterSettings printer = m_printerPage->settings();
    printer.method = PrinterSettings::Method::EscPos;
    if (!printer.connectionAccepted()) {
        validatePrinter();
        return;
    }
    if (ThermalPrinter(this).printTestPage(printer, m_receiptType->currentIndex()))
        MessageBoxes::instance().inform(
            this,
            QStringLiteral("测试页已发送到打印机 ") +
                qs(PrinterConnection::parse(printer.connection)->text()) + QStringLiteral("。"),
            MessageBoxes::Icon::None);
}

bool ReceiptSettingsDialog::saveSettingsDialog() {
    SettingsStore store(m_db);
    const std::string failure = readForm().save(store, ss(dataFolder()));
    if (!failure.empty())
        MessageBoxes::instance().inform(this, qs(failure), MessageBoxes::Icon::Warning);
    return failure.empty();
}

bool ReceiptSettingsDialog::applySettings() {
    if (!validateSettingsDialog())
        return false;
    bool saved = true;
    const ReadResult<bool> seeded = SettingsStore(m_db).exists("字体大小");
    if (!seeded) {
        MessageBoxes::instance().inform(
            this, QString::fromStdString(seeded.message("保存小票设置", "设置没有改动。")),
            MessageBoxes::Icon::Warning);
        saved = false;
    } else if (*seeded)
        saved = saveSettingsDialog();
    else
        MessageBoxes::instance().inform(this, QStringLiteral("设置失败.错误7763"),
                                        MessageBoxes::Icon::None);
    emit settingsApplied();
    return saved;
}

void ReceiptSettingsDialog::confirm() {
    // Settings that were not stored stay in the dialog, not lost with it.
    if (applySettings())
        accept();
}

void ReceiptSettingsDialog::choosePicture(Picture which, const QString& path) {
    const auto chosen = ReceiptSettingsForm::readPicture(ss(path));
    if (!chosen) {
        MessageBoxes::instance().inform(this, QStringLiteral("所选文件不是PNG图片，请重新选择。"));
        return;
    }
    controls(which).path->setText(path);
    m_pictureBytes[pictureIndex(which)] = chosen->bytes;
    showPicture(which);
}

void ReceiptSettingsDialog::pickPicture(Picture which) {
    QFileDialog chooser(this, QStringLiteral("选择图片"));
    chooser.setObjectName(QStringLiteral("通用对话框1"));
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setNameFilter(QStringLiteral("PNG图片 (*.png)"));
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        choosePicture(which, chooser.selectedFiles().constFirst());
}

void ReceiptSettingsDialog::showPicture(Picture which) {
    const auto& bytes = m_pictureBytes[pictureIndex(which)];
    QImage image = toImage(PngImage::fromBytes(bytes.data(), bytes.size()));
    if (image.isNull())
        image = placeholder(which);
    controls(which).view->setPixmap(QPixmap::fromImage(
        image.scaled(kPictureBox - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

ReceiptSettingsForm ReceiptSettingsDialog::readForm() const {
    ReceiptSettingsForm form;
    form.receiptType = m_receiptType->currentIndex();
    form.layoutMode = m_layoutMode->currentIndex();
    form.copies = ss(m_copies->text());
    form.extra1Enabled = m_extra1->isChecked();
    form.extra1Text = ss(m_extra1Text->text());
    form.extra2Enabled = m_extra2->isChecked();
    form.extra2Text = ss(m_extra2Text->text());
    form.printTopPicture = m_top.print->isChecked();
    form.printBottomPicture = m_bottom.print->isChecked();
    for (int i = 0; i < ReceiptSettingsForm::kLineGroups; ++i) {
        form.fontSizes[i] = ss(m_fontRows[i].size->text());
        form.bold[i] = m_fontRows[i].bold->isChecked();
    }
    form.topPicture = {ss(m_top.path->text()), m_pictureBytes[0]};
    form.bottomPicture = {ss(m_bottom.path->text()), m_pictureBytes[1]};
    form.printer = m_printerPage->settings();
    return form;
}

void ReceiptSettingsDialog::writeForm(const ReceiptSettingsForm& form) {
    m_receiptType->setCurrentIndex(form.receiptType);
    m_layoutMode->setCurrentIndex(form.layoutMode);
    m_copies->setText(qs(form.copies));
    m_extra1->setChecked(form.extra1Enabled);
    m_extra1Text->setText(qs(form.extra1Text));
    m_extra2->setChecked(form.extra2Enabled);
    m_extra2Text->setText(qs(form.extra2Text));
    m_top.print->setChecked(form.printTopPicture);
    m_bottom.print->setChecked(form.printBottomPicture);
    for (int i = 0; i < ReceiptSettingsForm::kLineGroups; ++i) {
        m_fontRows[i].size->setText(qs(form.fontSizes[i]));
        m_fontRows[i].bold->setChecked(form.bold[i]);
    }
    m_top.path->setText(qs(form.topPicture.path));
    m_bottom.path->setText(qs(form.bottomPicture.path));
    m_pictureBytes = {form.topPicture.bytes, form.bottomPicture.bytes};
    showPicture(Picture::Top);
    showPicture(Picture::Bottom);
    m_printerPage->showSettings(form.printer);
}
