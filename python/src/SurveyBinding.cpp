// The survey of many records, one record at a time, for a scheduler that spreads them:
// the plan's entries are plain bytes that travel to other processes, and each one
// gives the very lines `tremvix --survey` writes for it.
#include "Bindings.h"

#include "core/survey/SingleRecord.h"
#include "core/survey/SurveyPlan.h"
#include "core/survey/SurveyText.h"

#include <pybind11/stl.h>

#include <filesystem>
#include <vector>

namespace tremvix::python {
namespace {

namespace fs = std::filesystem;

py::dict EntryOf(const PlannedRecord& record, const SurveyPlan& plan) {
    py::list files;
    for (const SurveyFile& file : record.files) {
        py::dict entry;
        entry["name"] = py::bytes(file.name);
        entry["disk"] = py::bytes(file.disk.string());
        entry["archive"] = py::bytes(file.archive >= 0 ? plan.archives[static_cast<std::size_t>(file.archive)].string()
                                                       : std::string());
        entry["member"] = py::bytes(file.member);
        files.append(entry);
    }
    py::dict entry;
    entry["name"] = py::bytes(record.name);
    entry["files"] = files;
    entry["head"] = py::bytes(record.head);
    entry["refusal"] = record.refusal ? py::object(py::bytes(*record.refusal)) : py::object(py::none());
    return entry;
}

// An entry back as a planned record; its archive, if any, is the only one of `archives`.
PlannedRecord RecordOf(const py::dict& entry, std::vector<fs::path>& archives) {
    PlannedRecord record;
    record.name = entry["name"].cast<std::string>();
    record.head = entry["head"].cast<std::string>();
    if (!entry["refusal"].is_none()) record.refusal = entry["refusal"].cast<std::string>();
    for (const py::handle item : entry["files"].cast<py::list>()) {
        const py::dict file = item.cast<py::dict>();
        SurveyFile planned;
        planned.name = file["name"].cast<std::string>();
        planned.disk = file["disk"].cast<std::string>();
        planned.member = file["member"].cast<std::string>();
        const std::string archive = file["archive"].cast<std::string>();
        if (!archive.empty()) {
            if (archives.empty()) archives.push_back(archive);
            if (archives.front() != archive) throw py::value_error("the files of one record lie in different archives");
            planned.archive = 0;
        }
        record.files.push_back(std::move(planned));
    }
    if (record.files.empty() && !record.refusal) throw py::value_error("a planned record without files");
    return record;
}

py::list Plan(const std::vector<std::string>& paths) {
    SurveyPlan plan;
    {
        py::gil_scoped_release unlocked;
        plan = PlanSurvey(std::vector<fs::path>(paths.begin(), paths.end()));
    }
    py::list entries;
    for (const PlannedRecord& record : plan.records) entries.append(EntryOf(record, plan));
    return entries;
}

SurveyOutcome OutcomeOf(const py::dict& entry) {
    std::vector<fs::path> archives;
    const PlannedRecord record = RecordOf(entry, archives);
    py::gil_scoped_release unlocked;
    return SurveySingleRecord(record, archives);
}

// (row line, None) or (None, failure line), as bytes.
py::tuple Lines(const py::dict& entry) {
    const SurveyOutcome outcome = OutcomeOf(entry);
    if (outcome.row) return py::make_tuple(py::bytes(SurveyRowLine(*outcome.row)), py::none());
    return py::make_tuple(py::none(), py::bytes(FailureLine(outcome.record, outcome.failure)));
}

py::object Number(const std::optional<double>& value) { return value ? py::cast(*value) : py::none(); }

py::dict RowDict(const SurveyRow& row) {
    py::dict values;
    values["record"] = row.record;
    values["station"] = row.station;
    values["layout"] = row.layout;
    values["latitude"] = Number(row.latitude);
    values["longitude"] = Number(row.longitude);
    values["rate_hz"] = row.rate;
    values["samples"] = row.samples;
    values["pga_ns"] = Number(row.pgaNs);
    values["pga_ew"] = Number(row.pgaEw);
    values["pga_ud"] = Number(row.pgaUd);
    values["pgv_h"] = Number(row.pgvH);
    values["intensity"] = Number(row.intensity);
    values["reported"] = row.reported.empty() ? py::object(py::none()) : py::object(py::str(row.reported));
    values["class"] = row.intensityClass.empty() ? py::object(py::none()) : py::object(py::str(row.intensityClass));
    values["lpgm_sva"] = Number(row.lpgmSva);
    values["lpgm_period_s"] = Number(row.lpgmPeriod);
    values["lpgm_class"] = row.lpgmClass ? py::cast(*row.lpgmClass) : py::none();
    values["si_h"] = Number(row.siH);
    const char* columns[] = {"sa_0.1", "sa_0.2", "sa_0.5", "sa_1.0", "sa_2.0", "sa_5.0"};
    for (std::size_t k = 0; k < row.sa.size(); ++k) values[columns[k]] = Number(row.sa[k]);
    return values;
}

// The row of the one record of `path` (a file of the record), named as given.
py::dict RowOfFile(const std::string& path) {
    SurveyPlan plan;
    {
        py::gil_scoped_release unlocked;
        plan = PlanSurvey({fs::path(path)});
    }
    if (plan.records.size() != 1)
        throw py::value_error(path + " holds " + std::to_string(plan.records.size()) + " records, not one");
    SurveyOutcome outcome;
    {
        py::gil_scoped_release unlocked;
        outcome = SurveySingleRecord(plan.records.front(), plan.archives);
    }
    if (!outcome.row) throw RecordRefused(outcome.failure);
    return RowDict(*outcome.row);
}

}  // namespace

void DefineSurvey(py::module_& module) {
    module.def("survey_plan", &Plan, py::arg("paths"),
               "The records of files, folders and archives in the survey's order, as plain entries.");
    module.def("survey_lines", &Lines, py::arg("entry"),
               "(row, None) or (None, failure): the CSV lines of one planned record, as bytes.");
    module.def("survey_row", &RowOfFile, py::arg("path"), "The survey's columns of the record of one file.");
    module.def("survey_header", [] { return py::bytes(SurveyHeaderLine()); });
    module.def("failure_header", [] { return py::bytes(FailureHeaderLine()); });
}

}  // namespace tremvix::python
