#pragma once

// One Qt application object for a whole test executable: QSerialPort and QProcess want an event
// dispatcher on the main thread, widgets want a QApplication.
#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace qmcal::test {

template <typename App>
class QtEnvironment final : public ::testing::Environment {
public:
    explicit QtEnvironment(std::function<void()> afterStart = {}) : m_afterStart(std::move(afterStart)) {}
    void SetUp() override
    {
        m_app = std::make_unique<App>(m_argc, m_argv);
        if (m_afterStart)
            m_afterStart();
    }
    void TearDown() override { m_app.reset(); }

private:
    std::function<void()> m_afterStart;
    int m_argc = 1;
    char m_name[6] = "tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<App> m_app;
};

} // namespace qmcal::test
