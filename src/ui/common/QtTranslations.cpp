#include "ui/common/QtTranslations.h"

#include <QCoreApplication>
#include <QTranslator>

extern const unsigned char qtbase_zh_CN_qm[];
extern const unsigned long qtbase_zh_CN_qm_size;

namespace QtTranslations {

bool install() {
    static QTranslator* installed = nullptr;
    if (installed)
        return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(qtbase_zh_CN_qm, static_cast<int>(qtbase_zh_CN_qm_size))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

} // namespace QtTranslations
