#pragma once

// What the database window tests share: one application for the whole
// executable, a working folder with the shipped translations, a modal run
// that acts while the window is up, and pictures read with Qt.

#include "common/core/working_folder.h"
#include "i18n/core/language_settings.h"
#include "i18n/core/shipped_translations.h"
#include "printing/core/picture_library.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/qt_test_application.h"
#include "tests/support/temporary_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tallimo::testing {

// Several window test files share one executable and one application.
inline void EnsureApplication() {
    EnsureQtApplication<QApplication>();
}

// Runs `body` while `window` is shown modally, then closes it with `closer`
// (a button name, "escape" or "close box"). A window still open ends with
// -1, so the caller's check on the result reports it.
inline int RunModal(QDialog& window, const std::function<void()>& body,
                    const std::string& closer = "okButton") {
    QTimer::singleShot(0, &window, [&] {
        const bool shown =
            QTest::qWaitFor([&] { return QApplication::activeModalWidget() == &window; });
        EXPECT_TRUE(shown);
        if (shown)
            body();
        if (closer == "close box")
            window.close();
        else if (closer == "escape")
            QTest::keyClick(&window, Qt::Key_Escape);
        else
            QTest::mouseClick(window.findChild<QAbstractButton*>(QString::fromStdString(closer)),
                              Qt::LeftButton);
        if (window.isVisible())
            window.done(-1);
    });
    return window.exec();
}

// Measures pictures with Qt and records every JPEG conversion.
class QtPictures final : public printing::PictureLibrary {
public:
    std::optional<printing::PictureSize> measure(const std::filesystem::path& picture) override {
        const QImage image(QString::fromStdString(picture.string()));
        if (image.isNull())
            return std::nullopt;
        return printing::PictureSize{image.width(), image.height()};
    }
    bool convertJpegToBmp(const std::filesystem::path& jpeg,
                          const std::filesystem::path& bmp) override {
        converted.push_back(jpeg);
        const QImage image(QString::fromStdString(jpeg.string()));
        return !image.isNull() && image.save(QString::fromStdString(bmp.string()), "BMP");
    }
    std::vector<std::filesystem::path> converted;
};

// A working folder with the shipped translations, the dialogs answered from
// a script, and a file chooser that answers `m_chosen` and records filters.
class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    WindowTest() { EXPECT_TRUE(i18n::WriteShippedTranslations(m_folder / "Translation")); }

    void setLanguages(i18n::LanguageCode interface,
                      i18n::LanguageCode report = i18n::LanguageCode::French) const {
        EXPECT_TRUE(i18n::WriteLanguageSettings(root(), {interface, report}));
    }
    common::WorkingFolder root() const { return common::WorkingFolder(m_folder.path()); }
    QString path(const std::string& name) const {
        return QString::fromStdString((m_folder / name).string());
    }
    void writeRedPicture(const char* name) const {
        QImage red(100, 50, QImage::Format_RGB32);
        red.fill(Qt::red);
        EXPECT_TRUE(red.save(path(name)));
    }
    template <typename Window> void chooseFiles(Window& window) {
        window.setFileChooser([this](QWidget*, bool save, const QString& filter) {
            m_filters.push_back((save ? "save " : "open ") + filter);
            return m_chosen;
        });
    }

    static void click(QWidget& window, const char* name) {
        QTest::mouseClick(window.findChild<QAbstractButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    static void type(QWidget& window, const char* name, const QString& text) {
        auto* edit = window.findChild<QLineEdit*>(QLatin1String(name));
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static QString text(QWidget& window, const char* edit) {
        return window.findChild<QLineEdit*>(QLatin1String(edit))->text();
    }
    static QStringList items(QWidget& window, const char* list) {
        QStringList texts;
        const auto* widget = window.findChild<QListWidget*>(QLatin1String(list));
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }

    TemporaryFolder m_folder;
    ScriptedDialogs m_dialogs;
    QtPictures m_pictures;
    QString m_chosen;
    QStringList m_filters;
};

} // namespace tallimo::testing
