#include "ui/common/ManagerCheck.h"

#include "history/ManagerPassword.h"
#include "ui/common/MessageBoxes.h"

bool ManagerCheck::passes(QWidget* owner, Database& db, const QString& refusal) {
    const ManagerPassword password(db);
    if (!password.isSet())
        return true;
    QString typed;
    if (!MessageBoxes::instance().askPassword(owner, QStringLiteral("管理密码"),
                                              QStringLiteral("请输入管理密码："), typed))
        return false;
    if (password.accepts(typed.toStdString()))
        return true;
    MessageBoxes::instance().inform(owner, refusal, MessageBoxes::Icon::Warning);
    return false;
}
