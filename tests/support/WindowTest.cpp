#include "support/WindowTest.h"

#include "receipt/CreditPicture.h"
#include "storage/config/SettingsStore.h"
#include "support/TestApplication.h"

#include <filesystem>

WindowTest::WindowTest(Start start, DateTime now) : TestDatabase(start, now) {
    ensureTestApplication();
}

QString WindowTest::filePath(const QString& name) const {
    return QString::fromStdString(folder.path()) + "/" + name;
}

void WindowTest::setSetting(const std::string& key, const std::string& value) {
    SettingsStore(db).set(key, value);
}

void WindowTest::putReceiptPictures() {
    const std::string credit(reinterpret_cast<const char*>(CreditPicture::data()),
                             CreditPicture::size());
    std::filesystem::create_directories(folder.file("data"));
    for (const char* picture : {"data/stp.png", "data/xtp.png"})
        TempFolder::write(folder.file(picture), credit);
}
