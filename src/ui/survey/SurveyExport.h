#pragma once

#include "core/survey/SurveyRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// How the survey's numbers are made, for the window's label and the exports' first line.
QStringList SurveySettings();
// The same in the user's words, one line per product.
QString SurveyConventionsText();

// The exports: "# " and the settings, then exactly the bytes the command line writes
// for the same rows (its header, LF line ends, the same number texts).
QByteArray SurveyRowsCsv(const std::vector<tremvix::SurveyRow>& rows);
struct SurveyFailure {
    std::string record;
    std::string reason;
};
QByteArray SurveyFailuresCsv(const std::vector<SurveyFailure>& failures);
