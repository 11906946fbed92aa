// Run control when memory runs out during the parameters-file walk: every
// allocation in turn is made to fail, and each run must end in one of the
// two defined ways.
#include <gtest/gtest.h>

#include <string>

#include "faults.h"
#include "filecontent.h"
#include "runcontrol.h"
#include "runvalues.h"
#include "tempfolder.h"

namespace {

class RunControlAllocationFaults : public ::testing::Test
{
protected:
  void TearDown() override { ResetFaults(); }
  TTempFolder m_Folder;
};

TEST_F(RunControlAllocationFaults, AWalkCutShortEndsTheRunWithoutAMode)
{
  // The file's mode 7 is unknown, so a run that reads the whole file fails;
  // a walk stopped by a failed allocation ends the run as a success in
  // which no mode runs, whatever the walk had read by then.
  std::string path = m_Folder.File("p.ini");
  ASSERT_TRUE(WriteWholeFile(
      path, "[first]\r\nx=" + std::string(300, 'x') + "\r\n[parameters]\r\nmode=7\r\nother=1\r\n"));
  const std::string commandLine = "-mode 3 -parametersfilepath \"" + path + "\"";
  int nFailedRuns = 0;
  for (int nCall = 1; nCall <= 200; ++nCall) {
    ArmFault(FAULT_ALLOCATION, nCall, 1);
    TRunControl control;
    int nResult = control.Run(commandLine.c_str());
    ResetFaults();
    if (nResult == 0) {
      // Past the walk's last allocation: the whole file was read.
      EXPECT_STREQ("7", g_RunValues.Mode.Text());
      break;
    }
    ++nFailedRuns;
    EXPECT_EQ(1, nResult) << "allocation " << nCall;
  }
  // Two name lists, their name buffers, the growing values: many places.
  EXPECT_GT(nFailedRuns, 6);
  TRunControl control;
  EXPECT_EQ(0, control.Run(commandLine.c_str()));
}

}  // namespace
