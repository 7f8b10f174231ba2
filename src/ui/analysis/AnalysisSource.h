#pragma once

#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "core/dsp/ChannelConversion.h"
#include "core/dsp/FilterSettings.h"

#include <QObject>
#include <QString>

// What the analysis windows read from the window that holds the loaded channels, and
// its word that any of it changed. The main window provides one; the analysis
// windows never see the main window itself.
class AnalysisSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual const tremvix::ChannelStore& Store() const = 0;
    virtual const tremvix::ChannelList& List() const = 0;
    // The sampling rate and the coefficient sets as they stand.
    virtual const tremvix::FilterSettings& Filters() const = 0;
    // The rate the analyses use, exact: a record's own (333.333... Hz), not rounded as
    // Filters().SamplingRate is for the main window's FIR design and time axes.
    virtual double Rate() const = 0;
    // What the integration commands would use now, and the filter's name as shown.
    virtual tremvix::IntegrationSetup IntegrationSetupNow() const = 0;
    virtual QString IntegrationFilterName() const = 0;

signals:
    // The loaded channels, the sampling rate, the filter settings or the integration
    // filter may have changed. Sent while the change is being made: act on it later.
    void Changed();
};
