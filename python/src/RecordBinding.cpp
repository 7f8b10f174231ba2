// Reading records: the command line's loader, samples handed to numpy without a copy.
#include "Bindings.h"

#include "core/analysis/AccelerationUnit.h"
#include "core/analysis/ComponentRoles.h"
#include "core/data/TextCodec.h"
#include "core/formats/RecordLoader.h"

#include <pybind11/stl.h>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace tremvix::python {
namespace {

FileLayout LayoutNamed(const std::string& name) {
    if (name == "standard") return FileLayout::Standard;
    if (name == "edefence") return FileLayout::EDefence;
    throw py::value_error("layout must be \"standard\" or \"edefence\", not \"" + name + "\"");
}

// The samples become the array's memory: the vector moves into a capsule that the
// array keeps as its base, so nothing is copied and the memory lives as long as the array.
py::array_t<float> ArrayOwning(std::vector<float>&& samples) {
    auto owned = std::make_unique<std::vector<float>>(std::move(samples));
    const auto size = static_cast<py::ssize_t>(owned->size());
    const float* data = owned->data();
    py::capsule owner(owned.get(), [](void* vector) { delete static_cast<std::vector<float>*>(vector); });
    owned.release();  // the capsule owns it now
    return py::array_t<float>(size, data, owner);
}

py::dict ChannelDict(TransferColumn&& column) {
    py::dict channel;
    channel["id"] = TextAsUtf8(column.id);
    channel["name"] = TextAsUtf8(column.name);
    channel["unit"] = TextAsUtf8(column.unit);
    channel["memo"] = TextAsUtf8(column.memo);
    channel["id_bytes"] = py::bytes(column.id);
    channel["name_bytes"] = py::bytes(column.name);
    channel["unit_bytes"] = py::bytes(column.unit);
    channel["samples"] = ArrayOwning(std::move(column.samples));
    return channel;
}

py::dict Read(const std::string& path, const std::string& layout, double rateIfUnstated) {
    if (!std::isfinite(rateIfUnstated) || rateIfUnstated <= 0.0)
        throw py::value_error("rate_hz must be a positive number of Hz");
    const FileLayout csvLayout = LayoutNamed(layout);
    LoadedRecord record;
    {
        py::gil_scoped_release unlocked;
        record = LoadRecordFile(path, csvLayout, rateIfUnstated);
    }
    if (record.refusal) throw RecordRefused(MessageText(RefusalText(*record.refusal)));
    py::list channels;
    for (TransferColumn& column : record.channels) channels.append(ChannelDict(std::move(column)));
    py::list files;
    for (const std::filesystem::path& file : record.files) files.append(file.string());
    py::dict result;
    result["channels"] = channels;
    result["samples"] = record.samplesPerChannel;
    result["rate_hz"] = record.rate;
    result["rate_stated"] = record.rateStated;
    result["layout"] = record.layoutName;
    result["notices"] = record.notices;
    result["files"] = files;
    return result;
}

// Channel indices (from 0) of the components found by ids and names: NS, EW (and UD).
std::optional<std::vector<int>> FindComponents(const std::vector<std::string>& ids, const std::vector<std::string>& names,
                                               int count) {
    if (ids.size() != names.size()) throw py::value_error("ids and names differ in length");
    std::vector<ChannelNames> channels;
    for (std::size_t k = 0; k < ids.size(); ++k) channels.push_back({ids[k], names[k], true});
    if (count == 3) {
        if (const auto found = FindThreeComponents(channels)) return std::vector<int>(found->begin(), found->end());
    } else if (count == 2) {
        if (const auto found = FindTwoHorizontals(channels)) return std::vector<int>(found->begin(), found->end());
    } else {
        throw py::value_error("count must be 2 or 3");
    }
    return std::nullopt;
}

std::optional<py::array_t<float>> InGal(const FloatArray& samples, const std::string& unit) {
    const std::optional<double> factor = GalPerUnit(unit);
    if (!factor) return std::nullopt;
    std::vector<float> gal;
    {
        py::gil_scoped_release unlocked;
        gal = SamplesInGal(SpanOf(samples), *factor);
    }
    return ArrayOwning(std::move(gal));
}

}  // namespace

void DefineRecords(py::module_& module) {
    module.def("read", &Read, py::arg("path"), py::arg("layout") = "standard", py::arg("rate_hz") = 100.0,
               "The record of a file as a dict (see tremvix.read).");
    module.def("find_components", &FindComponents, py::arg("ids"), py::arg("names"), py::arg("count"),
               "Indices of the NS, EW (and UD) channels named by these id and name bytes, or None.");
    module.def("gal_per_unit", [](const std::string& unit) { return GalPerUnit(unit); }, py::arg("unit"),
               "Gal per unit of an acceleration unit text (bytes), None for any other unit.");
    module.def("in_gal", &InGal, py::arg("samples"), py::arg("unit"),
               "The samples in gal (each rounded once to float32), None when the unit is no acceleration.");
}

}  // namespace tremvix::python
