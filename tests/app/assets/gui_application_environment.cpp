#include "tests/support/qt_test_application.h"

#include <QGuiApplication>

[[maybe_unused]] static ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new tallimo::testing::QtTestApplication<QGuiApplication>);
