#include "ui/order/HelpLinks.h"

#include "ui/common/HelpDocuments.h"

#include <QEvent>
#include <QLabel>

namespace {

const QColor linkYellow(255, 255, 0);
const QColor linkGreen(128, 224, 0);

// A style sheet colour wins over the palette, so the blink goes through the
// style sheet; the palette keeps the colour for the next tick to read.
void setLinkColor(QLabel* link, const QColor& color) {
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, color);
    link->setPalette(palette);
    link->setStyleSheet(QStringLiteral("color: %1;").arg(color.name()));
}

} // namespace

HelpLinks::HelpLinks(QLabel* tutorial, QLabel* printingHelp, QWidget* window)
    : QObject(window), m_tutorial(tutorial), m_printingHelp(printingHelp), m_window(window) {
    for (QLabel* link : {tutorial, printingHelp}) {
        setLinkColor(link, linkYellow);
        link->installEventFilter(this);
    }
}

void HelpLinks::blink() {
    const bool yellow = m_tutorial->palette().color(QPalette::WindowText) == linkYellow;
    for (QLabel* link : {m_tutorial, m_printingHelp})
        setLinkColor(link, yellow ? linkGreen : linkYellow);
}

bool HelpLinks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == m_tutorial)
            HelpDocuments::show(m_window, HelpDocuments::Document::Tutorial);
        else if (watched == m_printingHelp)
            HelpDocuments::show(m_window, HelpDocuments::Document::Printing);
    }
    return QObject::eventFilter(watched, event);
}
