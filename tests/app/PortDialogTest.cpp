// "Port Setting": which buttons it offers, and what OK, Cancel and Esc do to the link and to
// Program.ini.

#include <atomic>
#include <chrono>
#include <thread>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "AppHarness.h"
#include "app/PortDialog.h"

namespace qmcal::test {
namespace {

class PortDialogTest : public ::testing::Test {
protected:
    PortDialogTest()
    {
        for (const char* name : {"ttyS0", "ttyUSB0", "ttyUSB1"})
            h.ports.Add(QLatin1String(name), MarkedMemory(0));
    }

    std::unique_ptr<PortDialog> Make(const QStringList& names, std::function<bool(const QString&)> denied = {},
                                     std::function<DeviceOwner(const QString&)> owner = {})
    {
        PortAccess access;
        access.open = h.ports.Opener();
        access.permissionDenied = denied ? std::move(denied) : [](const QString&) { return false; };
        // Unless a case says otherwise, every device is the usual one of the dialout group.
        access.owner = owner ? std::move(owner) : [](const QString& name) {
            return DeviceOwner{QStringLiteral("/dev/") + name, QStringLiteral("dialout"), 0660};
        };
        access.diagnose = [](const QString& name) {
            return PortFailure{PortFailure::Kind::Busy, QStringLiteral("busy (lock file /run/lock/LCK..%1 held by process 1234)").arg(name)};
        };
        access.linkThread = &h.linkThread;
        auto dialog = std::make_unique<PortDialog>(
            h.link, h.reporter, names, [this](const QString& name) { saved << name; }, std::move(access));
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    static void Click(QAbstractButton* button)
    {
        // On the indicator: a radio button takes clicks on its indicator and text only.
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    static QPushButton* ButtonById(QDialog& dialog, int id)
    {
        return dialog.findChild<QPushButton*>(QStringLiteral("control%1").arg(id));
    }

    // The port in use before the dialog opens.
    void UsePort(const QString& name)
    {
        h.link.SetCurrentPortName(name);
        h.link.SetPort(h.ports.Open(name, kChosenProfile));
    }

    AppHarness h;
    QStringList saved;
};

TEST_F(PortDialogTest, OffersTheOpenablePortsAndChecksTheOneJustReleased)
{
    h.ports.openable.erase(QStringLiteral("ttyUSB0"));  // held by another program
    UsePort(QStringLiteral("ttyUSB1"));

    const std::unique_ptr<PortDialog> dialog = Make({"ttyS0", "ttyUSB0", "ttyUSB1", "ghost"});

    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Port Setting"));
    EXPECT_FALSE(h.link.HasPort()) << "opening the dialog releases the port in use";
    const struct {
        const char* text;
        bool enabled;
        bool checked;
    } expected[] = {
        {"ttyS0", true, false},
        {"ttyUSB0", false, false},
        {"ttyUSB1", true, true},
        {"ghost", false, false},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(dialog->Button(i)->text(), QLatin1String(expected[i].text));
        EXPECT_TRUE(dialog->Button(i)->isVisible());
        EXPECT_EQ(dialog->Button(i)->isEnabled(), expected[i].enabled);
        EXPECT_EQ(dialog->Button(i)->isChecked(), expected[i].checked);
    }
    for (int i = 4; i < PortDialog::kButtonCount; ++i)
        EXPECT_FALSE(dialog->Button(i)->isVisible()) << i;
    EXPECT_TRUE(dialog->Hint()->isHidden());
}

TEST_F(PortDialogTest, ShowsTheFirstSixteenNamesOnlyAndComPortsWithoutTheDevicePath)
{
    // The Windows names: "COM1".."COM9", then "\\.\COM10".."\\.\COM16", shown as "COM10"...
    QStringList names;
    for (int n = 1; n <= 20; ++n)
        names << PortNameFromNumber(n);
    const QStringList buttons = PortDialog::ButtonNames(names);
    ASSERT_EQ(buttons.size(), 16);
    const std::unique_ptr<PortDialog> dialog = Make(buttons);
    for (int i = 0; i < PortDialog::kButtonCount; ++i) {
        EXPECT_EQ(dialog->Button(i)->text(), QStringLiteral("COM%1").arg(i + 1));
        EXPECT_TRUE(dialog->Button(i)->isVisible());
        EXPECT_FALSE(dialog->Button(i)->isEnabled());
    }
}

TEST_F(PortDialogTest, LongNamesAreCutInTheMiddleAndShownWholeAsToolTip)
{
    const QString longName = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    const std::unique_ptr<PortDialog> dialog = Make({longName, "ttyS0"});
    const QRadioButton* button = dialog->Button(0);
    EXPECT_EQ(button->toolTip(), longName);
    EXPECT_TRUE(button->text().startsWith(QLatin1String("/dev/")) && button->text().endsWith(QLatin1String("port0")) &&
                button->text().contains(QChar(0x2026)))
        << button->text().toStdString();
    EXPECT_LE(button->sizeHint().width(), button->width()) << "runs into the next button";
    EXPECT_EQ(dialog->Button(1)->text(), QStringLiteral("ttyS0"));
}

TEST_F(PortDialogTest, OkOpensTheChosenPortAndRemembersIt)
{
    UsePort(QStringLiteral("ttyS0"));
    const std::unique_ptr<PortDialog> dialog = Make({"ttyS0", "ttyUSB0"});
    Click(dialog->Button(1));
    Click(ButtonById(*dialog, 1));

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(h.link.CurrentPortName(), QStringLiteral("ttyUSB0"));
    ASSERT_TRUE(h.link.PortIsOpen());
    EXPECT_EQ(h.link.Port()->Name(), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(saved, QStringList{"ttyUSB0"});
    EXPECT_TRUE(h.dialogs.messages.isEmpty());
}

TEST_F(PortDialogTest, OkWithAPortThatFailsToOpenStillRemembersItsName)
{
    const std::unique_ptr<PortDialog> dialog = Make({"ttyS0", "ttyUSB0"});
    Click(dialog->Button(0));
    h.ports.openable.erase(QStringLiteral("ttyS0"));  // taken in the meantime
    Click(ButtonById(*dialog, 1));

    EXPECT_EQ(h.dialogs.messages,
              QStringList{"Open port fail!\nttyS0: busy (lock file /run/lock/LCK..ttyS0 held by process 1234)"});
    // The session log keeps the reason after the box is gone.
    const QStringList log = h.LogLines();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.last().section(QLatin1Char('\t'), 1),
              "Port\tttyS0\t\tOpen port fail! ttyS0: busy (lock file /run/lock/LCK..ttyS0 held by process 1234)");
    EXPECT_EQ(saved, QStringList{"ttyS0"});
    EXPECT_EQ(h.link.CurrentPortName(), QStringLiteral("ttyS0"));
    EXPECT_TRUE(h.link.HasPort());
    EXPECT_FALSE(h.link.PortIsOpen());
}

// OK reached while another radio call is in flight (from a window that takes its input then):
// the open cannot run, which is a failed open, not a success.
TEST_F(PortDialogTest, OkWhileAnotherRadioCallRunsIsAFailedOpen)
{
    const std::unique_ptr<PortDialog> dialog = Make({"ttyS0", "ttyUSB0"});
    Click(dialog->Button(0));
    const RadioRunner other(h.link, &h.linkThread);
    std::atomic<bool> go{false};
    QTimer::singleShot(0, dialog.get(), [&] {
        dialog->accept();
        go = true;
    });
    other.Run(RadioRunner::Wait::Exchange, [&go](RadioLink&) {
        while (!go)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    });

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(h.dialogs.messages, QStringList{"Open port fail!"});
    EXPECT_EQ(saved, QStringList{"ttyS0"});
    EXPECT_FALSE(h.link.PortIsOpen());
}

TEST_F(PortDialogTest, OkWithNothingCheckedOpensAndWritesNothing)
{
    const std::unique_ptr<PortDialog> dialog = Make({"ttyS0"});
    Click(ButtonById(*dialog, 1));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(h.link.HasPort());
    EXPECT_TRUE(saved.isEmpty());
}

TEST_F(PortDialogTest, CancelAndEscGiveBackThePortInUse)
{
    const struct {
        const char* name;
        const char* current;
        bool useEsc;
        bool portOpen;
    } cases[] = {
        {"Cancel reopens the port", "ttyUSB1", false, true},
        {"Esc acts as Cancel", "ttyUSB1", true, true},
        {"Cancel with no port ever chosen opens nothing", "", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        saved.clear();
        h.link.ClosePort();
        h.link.SetCurrentPortName(QString());
        if (*c.current != '\0')
            UsePort(QLatin1String(c.current));
        const std::unique_ptr<PortDialog> dialog = Make({"ttyS0", "ttyUSB1"});
        Click(dialog->Button(0));  // a choice that Cancel must not take
        if (c.useEsc)
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        else
            Click(ButtonById(*dialog, 2));

        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(h.link.PortIsOpen(), c.portOpen);
        EXPECT_EQ(h.link.CurrentPortName(), QLatin1String(c.current));
        if (c.portOpen) {
            EXPECT_EQ(h.link.Port()->Name(), QLatin1String(c.current));
        }
        EXPECT_TRUE(saved.isEmpty());
        EXPECT_TRUE(h.dialogs.messages.isEmpty());
    }
}

TEST_F(PortDialogTest, SaysSoWhenThePortsAreRefusedForLackOfRights)
{
    const struct {
        const char* name;
        QStringList names;
        bool hint;
    } cases[] = {
        {"every port refused", {"ttyACM0", "ttyACM1"}, true},
        {"one port usable", {"ttyACM0", "ttyS0"}, false},
        {"busy, not refused", {"ttyUSB9"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<PortDialog> dialog =
            Make(c.names, [](const QString& name) { return name.startsWith(QLatin1String("ttyACM")); });
        EXPECT_EQ(dialog->Hint()->isVisible(), c.hint);
        if (c.hint) {
            EXPECT_TRUE(dialog->Hint()->text().contains(QLatin1String("usermod -aG")));
            EXPECT_FALSE(dialog->Hint()->text().contains(QLatin1Char('\n')));
            EXPECT_LE(dialog->Hint()->geometry().bottom(), dialog->height());
        }
    }
}

TEST_F(PortDialogTest, SaysWhyNoPortCanBeChosen)
{
    // ttyS4 does not open (see the fixture) and is refused for lack of rights.
    const auto owner = [](const QString& name) {
        return DeviceOwner{QStringLiteral("/dev/") + name, QStringLiteral("root"), 0600};
    };
    const struct {
        const char* name;
        QStringList names;
        const char* hint;
    } cases[] = {
        {"no serial port at all", {}, "No serial port found"},
        {"root's own device refused", {"ttyS4"}, "Permission denied: /dev/ttyS4 may be opened by root only."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<PortDialog> dialog = Make(c.names, [](const QString&) { return true; }, owner);
        EXPECT_TRUE(dialog->Hint()->isVisible());
        EXPECT_EQ(dialog->Hint()->text(), QLatin1String(c.hint));
        EXPECT_LE(dialog->Hint()->geometry().bottom(), dialog->height());
    }
}

} // namespace
} // namespace qmcal::test
