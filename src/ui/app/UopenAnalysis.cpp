// The analysis windows, opened from the analysis menu and the channel list's pop-up.
#include "ui/analysis/Uindices.h"
#include "ui/analysis/Uspectrum.h"
#include "ui/app/OpenAnalysisSource.h"
#include "ui/app/Forms.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/survey/Usurvey.h"
#include "ui/base/HandlerCall.h"
#include "ui/base/WindowStyle.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>

void TOpen::ConnectAnalysisHandlers() {
    analysisSource_ = new OpenAnalysisSource(*this);
    ConnectHandler(Spectrum1, &QAction::triggered, this, &TOpen::Spectrum1Click);
    ConnectHandler(Indices1, &QAction::triggered, this, &TOpen::Indices1Click);
    ConnectHandler(Survey1, &QAction::triggered, this, &TOpen::Survey1Click);
    ConnectHandler(Spectrum2, &QAction::triggered, this, &TOpen::Spectrum2Click);
}

// Children of the main window, so that they go with it.
TSpectrum* TOpen::SpectrumWindow() {
    auto* window = findChild<TSpectrum*>(QStringLiteral("Spectrum"), Qt::FindDirectChildrenOnly);
    if (window) return window;
    window = new TSpectrum(*analysisSource_, this);
    CentreOnScreen(window);
    return window;
}

TIndices* TOpen::IndicesWindow() {
    auto* window = findChild<TIndices*>(QStringLiteral("Indices"), Qt::FindDirectChildrenOnly);
    if (window) return window;
    window = new TIndices(*analysisSource_, this);
    CentreOnScreen(window);
    return window;
}

// A record double-clicked in the event window opens as a file chosen in the data set window.
TSurvey* TOpen::SurveyWindow() {
    auto* window = findChild<TSurvey*>(QStringLiteral("Survey"), Qt::FindDirectChildrenOnly);
    if (window) return window;
    window = new TSurvey([](const QString& file) {
        if (SetData) SetData->OpenFromCommandLine(file);
    }, this);
    CentreOnScreen(window);
    return window;
}

void TOpen::Survey1Click() { ShowWindow(SurveyWindow()); }

void TOpen::Spectrum1Click() { ShowWindow(SpectrumWindow()); }

void TOpen::Indices1Click() { ShowWindow(IndicesWindow()); }

// The channel of the row the pop-up was opened on, alone (the current row when it was
// opened otherwise); the ● marks stay as they are.
void TOpen::Spectrum2Click() {
    const int row = popupRow_.value_or(StringGrid1->row());
    popupRow_.reset();
    TSpectrum* window = SpectrumWindow();
    ShowWindow(window);
    window->PickChannel(row - 1);
}
