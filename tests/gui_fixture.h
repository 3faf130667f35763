// SPDX-License-Identifier: MIT
// What the window tests share: a settings folder of their own, the Madrid zone
// and a fixed today, all handed to the code under test, so that nothing
// depends on the machine they run on and nothing of the process is changed.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>
#include <functional>
#include <memory>

#include "Dialogs.h"
#include "Settings.h"
#include "Surroundings.h"

namespace helune {

inline DayCount Day(int year, int month, int day) {
    return static_cast<DayCount>(QDate(year, month, day).toJulianDay());
}

// Central European rules: into summer time on the last Sunday of March at 02:00,
// back on the last Sunday of October at 03:00 (summer clock).
inline TimeZoneRecord CentralEurope() {
    TimeZoneRecord zone;
    zone.Bias = -60;
    zone.DaylightBias = -60;
    zone.DaylightDate = {3, 0, 5, 2, 0, 0, 0};
    zone.StandardDate = {10, 0, 5, 3, 0, 0, 0};
    return zone;
}

class IsolatedSettings : public testing::Test {
protected:
    explicit IsolatedSettings(QDate today = QDate(2024, 7, 1)) : today_(today) {}

    void SetUp() override { ASSERT_TRUE(config_.isValid()); }

    // The store in the test's own folder.
    RegistryStore IsolatedStore() const { return {config_.path()}; }
    // That store, Madrid's zone in today's year, and today as set.
    Surroundings Around() const {
        Surroundings around;
        around.today = [this] { return today_; };
        around.timeZone = [this] { return TimeZoneRecordFor(QTimeZone("Europe/Madrid"), today_.year()); };
        around.store = IsolatedStore();
        return around;
    }
    // The same for the main window, with its two dialogs.
    WindowServices Services() const {
        WindowServices services = WithDialogs({});
        static_cast<Surroundings&>(services) = Around();
        return services;
    }
    void SetToday(QDate today) { today_ = today; }

    QTemporaryDir config_;

private:
    QDate today_;
};

// Runs the next modal dialog through `drive` once it is open. A modal window of
// another kind fails the test and is closed, and so is the dialog when it is
// still open after a few seconds, so that a test fails rather than hangs. The
// watch returned ends with the test's use of it.
template <class Dialog>
[[nodiscard]] std::unique_ptr<QObject> WhenOpen(std::function<void(Dialog&)> drive) {
    static constexpr int kPatienceMs = 5000;
    auto watch = std::make_unique<QObject>();
    QTimer::singleShot(0, watch.get(), [drive] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (!dialog) {
            ADD_FAILURE() << "the expected dialog is not the modal window";
            if (modal) modal->close();
            return;
        }
        QTimer::singleShot(kPatienceMs, dialog, [dialog] {
            ADD_FAILURE() << "the dialog was still open after " << kPatienceMs << " ms";
            dialog->close();
        });
        drive(*dialog);
    });
    return watch;
}

}  // namespace helune
