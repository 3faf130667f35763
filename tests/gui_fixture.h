// What the window tests share: a settings folder of their own, the Madrid zone
// and a fixed today, so that nothing depends on the machine they run on.
#pragma once

#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>

#include "Settings.h"
#include "Today.h"

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

    void SetUp() override {
        ASSERT_TRUE(config_.isValid());
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        qputenv("TZ", "Europe/Madrid");
        SetLocalTodayForTesting(today_);
    }
    void TearDown() override { SetLocalTodayForTesting(QDate()); }

    QTemporaryDir config_;

private:
    QDate today_;
};

}  // namespace helune
