// Where the POSIX build finds the desktop and the Programs folder.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "filecontent.h"
#include "platform.h"
#include "scopedenv.h"
#include "specialfolder.h"
#include "tempfolder.h"

namespace {

struct SpecialFolderPosix : ::testing::Test
{
  std::string Get(TSpecialFolder folder, HRESULT expected = S_OK)
  {
    char path[MAX_PATH];
    memset(path, 'X', sizeof path);
    EXPECT_EQ(expected, GetSpecialFolderPath(folder, path));
    return path;
  }

  TTempFolder home;
  TScopedEnvironment homeVariable{"HOME", home.Path()};
  TScopedEnvironment noDesktop{"EXTRACTPANEL_DESKTOP_DIR"};
  TScopedEnvironment noPrograms{"EXTRACTPANEL_PROGRAMS_DIR"};
  TScopedEnvironment noConfig{"XDG_CONFIG_HOME"};
  TScopedEnvironment noData{"XDG_DATA_HOME"};
};

TEST_F(SpecialFolderPosix, TheEnvironmentVariablesComeFirst)
{
  TScopedEnvironment desktop("EXTRACTPANEL_DESKTOP_DIR", "/x/desk");
  TScopedEnvironment programs("EXTRACTPANEL_PROGRAMS_DIR", "/x/programs");
  EXPECT_EQ("/x/desk", Get(SPECIAL_FOLDER_DESKTOP));
  EXPECT_EQ("/x/programs", Get(SPECIAL_FOLDER_PROGRAMS));
}

TEST_F(SpecialFolderPosix, TheDesktopOfTheXdgUserDirectories)
{
  home.MakeFolder(".config");
  ASSERT_TRUE(
      WriteWholeFile(home.File(".config/user-dirs.dirs"),
                     "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
                     "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"));
  EXPECT_EQ(home.Path() + "/Schreibtisch", Get(SPECIAL_FOLDER_DESKTOP));

  TTempFolder config;
  TScopedEnvironment configVariable("XDG_CONFIG_HOME", config.Path());
  ASSERT_TRUE(WriteWholeFile(config.File("user-dirs.dirs"), "XDG_DESKTOP_DIR=\"/srv/desk\"\n"));
  EXPECT_EQ("/srv/desk", Get(SPECIAL_FOLDER_DESKTOP));
}

TEST_F(SpecialFolderPosix, WithoutUserDirectoriesTheDesktopIsInHome)
{
  EXPECT_EQ(home.Path() + "/Desktop", Get(SPECIAL_FOLDER_DESKTOP));
}

TEST_F(SpecialFolderPosix, ProgramsIsTheUsersApplicationsFolder)
{
  EXPECT_EQ(home.Path() + "/.local/share/applications", Get(SPECIAL_FOLDER_PROGRAMS));
  TScopedEnvironment data("XDG_DATA_HOME", "/data");
  EXPECT_EQ("/data/applications", Get(SPECIAL_FOLDER_PROGRAMS));
}

TEST_F(SpecialFolderPosix, NoHomeOrAPathThatDoesNotFitGivesNoFolder)
{
  {
    TScopedEnvironment noHome("HOME");
    EXPECT_EQ("", Get(SPECIAL_FOLDER_DESKTOP, E_FAIL));
  }
  TScopedEnvironment desktop("EXTRACTPANEL_DESKTOP_DIR", "/" + std::string(300, 'd'));
  EXPECT_EQ("", Get(SPECIAL_FOLDER_DESKTOP, E_FAIL));
}

}  // namespace
