#pragma once

// Tests of widgets, drawing or the event loop need one Qt application per
// executable: made on first need and kept (EnsureQtApplication), or made
// before the first test and destroyed after the last (QtTestApplication).
// Either runs on the offscreen platform unless the environment names one.

#include <QByteArray>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace tallimo::testing {

// Qt keeps a reference to the argument count for the application's life.
struct TestApplicationArguments {
    int argc = 1;
    char name[8] = "tallimo";
    char* argv[2] = {name, nullptr};
};

inline void UseOffscreenPlatformUnlessSet() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

template <class Application> void EnsureQtApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static TestApplicationArguments arguments;
        UseOffscreenPlatformUnlessSet();
        new Application(arguments.argc, arguments.argv);
    }
}

template <class Application> class QtTestApplication final : public ::testing::Environment {
public:
    void SetUp() override {
        UseOffscreenPlatformUnlessSet();
        if (Application::instance() == nullptr)
            m_application = std::make_unique<Application>(m_arguments.argc, m_arguments.argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    TestApplicationArguments m_arguments;
    std::unique_ptr<Application> m_application;
};

} // namespace tallimo::testing
