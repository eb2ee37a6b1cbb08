// Runs one differential case through our engine and judges it against the
// results of the Windows functions.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "differential_case.h"
#include "driver_protocol.h"

namespace plumbmark::differential {

// Lays out the case's starting file twice (one copy per engine), runs its
// operations on our copy and returns our results in the driver's format.
std::vector<std::string> RunOurs(const Case& c, const std::filesystem::path& ours,
                                 const std::filesystem::path& theirs);

// The mismatches between our results and files and the driver's; empty when
// the case passes.
std::vector<std::string> Judge(const Case& c, const std::vector<std::string>& our_results,
                               DriverOutput& driver, const std::filesystem::path& ours,
                               const std::filesystem::path& theirs);

// A readable form of bytes for failure reports.
std::string Escape(std::string_view bytes);

}  // namespace plumbmark::differential
