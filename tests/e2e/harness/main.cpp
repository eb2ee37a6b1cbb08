// The suite's entry: one work folder and one set of Wine prefixes per run,
// and a closing line that counts the results.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>

#include "harness/files.h"
#include "harness/wine.h"

namespace {

class Summary : public ::testing::EmptyTestEventListener {
  void OnTestProgramEnd(const ::testing::UnitTest& run) override {
    if (run.skipped_test_count() > 0) std::cout << run.skipped_test_count() << " skipped\n";
    std::cout << run.successful_test_count() << " passed, " << run.failed_test_count() << " failed"
              << std::endl;
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<plumbmark::e2e::TempDir> ownFolder;
  std::filesystem::path work;
  if (const char* given = std::getenv("PLUMBMARK_E2E_WORKDIR")) {
    work = given;
  } else {
    ownFolder = std::make_unique<plumbmark::e2e::TempDir>("plumbmark-e2e-run");
    work = ownFolder->path();
  }
  plumbmark::e2e::RunPrefixes prefixes(work);
  plumbmark::e2e::SetPrefixes(&prefixes);
  ::testing::UnitTest::GetInstance()->listeners().Append(new Summary);
  const int result = RUN_ALL_TESTS();
  plumbmark::e2e::SetPrefixes(nullptr);
  return result;
}
