#pragma once

#include "core/dsp/FilterSettings.h"

// The filter settings as the main window starts with them: 100 per second.
inline const tremvix::FilterSettings& StartUpFilters() {
    static const tremvix::FilterSettings settings = [] {
        tremvix::FilterSettings s;
        s.StartUp();
        return s;
    }();
    return settings;
}
