#include "history/ManagerPassword.h"

#include "storage/config/SettingsStore.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>

namespace {

constexpr const char* scheme = "pbkdf2-sha256";
constexpr int saltBytes = 16;
constexpr int digestBytes = 32;

std::string newSalt() {
    QByteArray salt(saltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()),
                                          saltBytes / int(sizeof(quint32)));
    return salt.toHex().toStdString();
}

std::vector<std::string> fields(const std::string& text) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (std::string::size_type end; (end = text.find('$', start)) != std::string::npos;
         start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// Takes as long for a near miss as for a far one.
bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

} // namespace

std::string ManagerPassword::stored(const std::string& password, const std::string& salt,
                                    int rounds) {
    const QByteArray digest = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, QByteArray::fromStdString(password),
        QByteArray::fromStdString(salt), rounds, digestBytes);
    return std::string(scheme) + "$" + std::to_string(rounds) + "$" + salt + "$" +
           digest.toHex().toStdString();
}

bool ManagerPassword::storedMatches(const std::string& storedValue, const std::string& typed) {
    const std::vector<std::string> parts = fields(storedValue);
    if (parts.size() != 4 || parts[0] != scheme)
        return false;
    int rounds = 0;
    try {
        rounds = std::stoi(parts[1]);
    } catch (const std::exception&) {
        return false;
    }
    return rounds > 0 && sameText(stored(typed, parts[2], rounds), storedValue);
}

std::string ManagerPassword::storedValue() const {
    return SettingsStore(m_db).get(settingKey, "");
}

bool ManagerPassword::adopt(const std::string& digest) {
    return SettingsStore(m_db).set(settingKey, digest);
}

bool ManagerPassword::isSet() const {
    return !storedValue().empty();
}

bool ManagerPassword::accepts(const std::string& typed) const {
    const std::string value = storedValue();
    return value.empty() || storedMatches(value, typed);
}

ManagerPassword::Result ManagerPassword::write(const std::string& value, Outcome done) {
    if (!SettingsStore(m_db).set(settingKey, value))
        return {Outcome::Failed, "无法保存管理密码，没有做任何改动。"};
    switch (done) {
    case Outcome::Set:
        return {done, "管理密码已设置。删除或修改订单、恢复数据前都要先输入它。"};
    case Outcome::Changed:
        return {done, "管理密码已修改。"};
    default:
        return {done, "管理密码已删除。删除或修改订单不再询问密码。"};
    }
}

ManagerPassword::Result ManagerPassword::change(const std::string& current, const std::string& next,
                                                const std::string& again) {
    const bool wasSet = isSet();
    if (!accepts(current))
        return {Outcome::WrongPassword, "管理密码不正确，没有做任何改动。"};
    if (next.empty())
        return {Outcome::Empty, "新密码不能为空。"};
    if (next != again)
        return {Outcome::Mismatch, "两次输入的新密码不一致，请重新输入。"};
    return write(stored(next, newSalt(), m_rounds), wasSet ? Outcome::Changed : Outcome::Set);
}

ManagerPassword::Result ManagerPassword::remove(const std::string& current) {
    if (!accepts(current))
        return {Outcome::WrongPassword, "管理密码不正确，没有做任何改动。"};
    return write("", Outcome::Removed);
}
