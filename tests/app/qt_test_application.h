#pragma once

// Widget and drawing tests need a Qt application: one is made before the
// first test and kept for the whole run.
#include <QByteArray>

#include <gtest/gtest.h>

#include <memory>

namespace tallimo::testing {

template <class Application> class QtTestApplication final : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (Application::instance() == nullptr)
            m_application = std::make_unique<Application>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[8] = "tallimo";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<Application> m_application;
};

} // namespace tallimo::testing
