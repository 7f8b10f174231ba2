#include "ui/components/GraticuleFile.h"

#include "ui/components/Mymap.h"

#include <charconv>
#include <fstream>
#include <vector>

namespace {

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool ReadFields(const std::string& line, long long (&fields)[4]) {
    const char* p = line.data();
    const char* end = line.data() + line.size();
    for (int i = 0; i < 4; ++i) {
        while (p < end && (*p == ' ' || *p == '\t')) ++p;
        const auto [next, ec] = std::from_chars(p, end, fields[i]);
        if (ec != std::errc()) return false;
        p = next;
        while (p < end && (*p == ' ' || *p == '\t' || *p == '\r')) ++p;
        if (i < 3) {
            if (p == end || *p != ',') return false;
            ++p;
        }
    }
    return p == end;
}

}  // namespace

std::optional<GraticuleTable> ParseGraticule(std::istream& in, std::string* error) {
    GraticuleTable table;
    bool seen[14][16] = {};
    std::string line;
    int number = 0;
    bool headerAllowed = true;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const char first = line[0];
        const bool numeric = (first >= '0' && first <= '9') || first == '-' || first == ' ';
        if (headerAllowed && !numeric) {
            headerAllowed = false;
            continue;
        }
        headerAllowed = false;
        long long f[4];
        const std::string where = "line " + std::to_string(number);
        if (!ReadFields(line, f)) {
            Fail(error, where + ": four integers expected");
            return std::nullopt;
        }
        const long long lat = f[0];
        const long long lon = f[1];
        if (lat < 24 || lat > 50 || lat % 2 != 0 || lon < 122 || lon > 152 || lon % 2 != 0) {
            Fail(error, where + ": not a node of the 2-degree graticule");
            return std::nullopt;
        }
        if (f[2] < INT32_MIN || f[2] > INT32_MAX || f[3] < INT32_MIN || f[3] > INT32_MAX) {
            Fail(error, where + ": map position out of range");
            return std::nullopt;
        }
        const int r = static_cast<int>((lat - 24) / 2);
        const int c = static_cast<int>((lon - 122) / 2);
        if (seen[r][c]) {
            Fail(error, where + ": node given twice");
            return std::nullopt;
        }
        seen[r][c] = true;
        table.nodes[r][c][0] = static_cast<std::int32_t>(f[2]);
        table.nodes[r][c][1] = static_cast<std::int32_t>(f[3]);
        table.latitudeCount = std::max(table.latitudeCount, r + 1);
        table.longitudeCount = std::max(table.longitudeCount, c + 1);
    }
    if (table.latitudeCount == 0) {
        Fail(error, "no nodes");
        return std::nullopt;
    }
    for (int r = 0; r < table.latitudeCount; ++r)
        for (int c = 0; c < table.longitudeCount; ++c)
            if (!seen[r][c]) {
                Fail(error, "node " + std::to_string(24 + 2 * r) + "N " + std::to_string(122 + 2 * c) + "E missing");
                return std::nullopt;
            }
    return table;
}

bool LoadGraticuleFile(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(error, "cannot open " + path);
    const std::optional<GraticuleTable> table = ParseGraticule(in, error);
    if (!table) return false;
    TMyMap::SetGraticule(table->latitudeCount, table->longitudeCount, table->nodes);
    return true;
}
