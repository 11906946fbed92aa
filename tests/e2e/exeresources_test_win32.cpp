// Windows only: the resources compiled into extractpanel.exe, read back from
// the executable: the dialog template, languages, manifest and version.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "process.h"
#include "resource.h"
#include "version.h"

namespace {

const WORD ENGLISH_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

HMODULE Program()
{
  static HMODULE s_hProgram =
      LoadLibraryExA(ProgramUnderTest().c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
  return s_hProgram;
}

std::vector<BYTE> Resource(LPCSTR type, LPCSTR name, WORD language)
{
  HRSRC hInfo = FindResourceExA(Program(), type, name, language);
  if (hInfo == 0) return {};
  HGLOBAL hData = LoadResource(Program(), hInfo);
  const BYTE* pData = static_cast<const BYTE*>(LockResource(hData));
  if (pData == 0) return {};
  return std::vector<BYTE>(pData, pData + SizeofResource(Program(), hInfo));
}

// Reads a dialog template (the classic form) field by field.
class TTemplateReader
{
public:
  explicit TTemplateReader(const std::vector<BYTE>& data) : m_Data(data) {}

  WORD Word()
  {
    WORD value = 0;
    if (m_Position + 2 <= m_Data.size()) std::memcpy(&value, &m_Data[m_Position], 2);
    m_Position += 2;
    return value;
  }
  DWORD Dword()
  {
    DWORD low = Word();
    return low | (DWORD(Word()) << 16);
  }
  short Short() { return static_cast<short>(Word()); }
  // A UTF-16 text of ASCII characters, as the templates here hold.
  std::string Text()
  {
    std::string text;
    for (WORD c; (c = Word()) != 0;) text.push_back(static_cast<char>(c));
    return text;
  }
  // A name or an ordinal (0xFFFF and the number).
  std::string NameOrOrdinal()
  {
    WORD first = Word();
    if (first == 0xFFFF) return "#" + std::to_string(Word());
    if (first == 0) return "";
    m_Position -= 2;
    return Text();
  }
  void AlignDword() { m_Position = (m_Position + 3) & ~size_t(3); }
  bool Overrun() const { return m_Position > m_Data.size(); }

private:
  const std::vector<BYTE>& m_Data;
  size_t m_Position = 0;
};

struct TControl
{
  DWORD style;
  short x, y, cx, cy;
  WORD id;
  std::string className;
  std::string text;
};

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list)
{
  reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
  return TRUE;
}

std::vector<WORD> Languages(LPCSTR type, LPCSTR name)
{
  std::vector<WORD> languages;
  EnumResourceLanguagesA(Program(), type, name, AddLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

std::string ClassName(const std::string& nameOrOrdinal)
{
  if (nameOrOrdinal == "#128") return "BUTTON";
  if (nameOrOrdinal == "#129") return "EDIT";
  if (nameOrOrdinal == "#130") return "STATIC";
  std::string upper = nameOrOrdinal;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

TEST(DialogResource, TheTemplateHoldsTheDialogAsDesigned)
{
  std::vector<BYTE> data = Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_EXTRACTION), ENGLISH_US);
  ASSERT_FALSE(data.empty()) << "no English (United States) dialog 200";
  TTemplateReader reader(data);
  DWORD style = reader.Dword();
  ASSERT_NE(0xFFFF0001u, style) << "an extended template";
  EXPECT_EQ(DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT), style);
  EXPECT_EQ(0u, reader.Dword());
  WORD count = reader.Word();
  reader.Short();
  reader.Short();
  EXPECT_EQ(300, reader.Short());
  EXPECT_EQ(199, reader.Short());
  EXPECT_EQ("", reader.NameOrOrdinal());  // no menu
  EXPECT_EQ("", reader.NameOrOrdinal());  // the standard dialog class
  EXPECT_EQ("Ostrelbook Extraction", reader.Text());
  EXPECT_EQ(8, reader.Word());
  EXPECT_EQ("MS Sans Serif", reader.Text());

  std::vector<TControl> controls;
  for (WORD i = 0; i < count && !reader.Overrun(); ++i) {
    reader.AlignDword();
    TControl control;
    control.style = reader.Dword();
    reader.Dword();
    control.x = reader.Short();
    control.y = reader.Short();
    control.cx = reader.Short();
    control.cy = reader.Short();
    control.id = reader.Word();
    control.className = ClassName(reader.NameOrOrdinal());
    control.text = reader.NameOrOrdinal();
    WORD extra = reader.Word();
    for (WORD b = 0; b < extra; b += 2) reader.Word();
    controls.push_back(control);
  }
  ASSERT_FALSE(reader.Overrun());

  const DWORD child = WS_CHILD | WS_VISIBLE;
  const TControl expected[] = {
      {child | BS_DEFPUSHBUTTON | WS_TABSTOP, 177, 178, 50, 15, IDOK, "BUTTON", "OK"},
      {child | BS_PUSHBUTTON | WS_TABSTOP, 240, 178, 50, 15, IDCANCEL, "BUTTON", "Cancel"},
      {child | SS_LEFT | WS_GROUP, 10, 14, 280, 8, 0xFFFF, "STATIC",
       "Ostrelbook extraction folder:"},
      {child | ES_AUTOHSCROLL | WS_BORDER | WS_GROUP | WS_TABSTOP, 10, 27, 280, 14, 2000, "EDIT",
       ""},
      {child | BS_PUSHBUTTON | WS_TABSTOP, 240, 46, 50, 14, 2001, "BUTTON", "Browse..."},
      {child | BS_AUTOCHECKBOX | WS_TABSTOP, 10, 68, 280, 10, 2002, "BUTTON",
       "Create a shortcut on my desktop"},
      {child | BS_AUTOCHECKBOX | WS_TABSTOP, 10, 83, 280, 10, 2003, "BUTTON",
       "Add to the \"Ostrelbooks\" group in the Windows Start > Programs menu"},
      {child | SS_LEFT | WS_GROUP, 10, 101, 280, 8, 0xFFFF, "STATIC", "Privacy notice:"},
      {child | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER, 10, 114, 280, 54, 2004, "EDIT",
       ""},
  };
  ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), controls.size());
  for (size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(expected[i].id));
    EXPECT_EQ(expected[i].id, controls[i].id);
    EXPECT_EQ(expected[i].className, controls[i].className);
    EXPECT_EQ(expected[i].text, controls[i].text);
    EXPECT_EQ(expected[i].style, controls[i].style);
    EXPECT_EQ(expected[i].x, controls[i].x);
    EXPECT_EQ(expected[i].y, controls[i].y);
    EXPECT_EQ(expected[i].cx, controls[i].cx);
    EXPECT_EQ(expected[i].cy, controls[i].cy);
  }
}

// Strings are stored in blocks of sixteen: block n + 1 holds ids 16n to 16n + 15.
TEST(DialogResource, DialogAndStringsAreEnglishUnitedStatesOnly)
{
  const std::vector<WORD> english = {ENGLISH_US};
  EXPECT_EQ(english, Languages(RT_DIALOG, MAKEINTRESOURCEA(IDD_EXTRACTION)));
  for (UINT id : {1000u, 2100u, 2106u, 3103u})
    EXPECT_EQ(english, Languages(RT_STRING, MAKEINTRESOURCEA(id / 16 + 1))) << id;
}

// Embedded as resource 1 of type RT_MANIFEST, the process takes it as its own.
TEST(DialogResource, TheManifestIsResourceOneOfItsOwnType)
{
  std::vector<BYTE> data = Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), ENGLISH_US);
  std::string manifest(data.begin(), data.end());
  EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
  EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
  // The program's own identity carries the version of the version header.
  EXPECT_NE(std::string::npos, manifest.find("version=\"" EP_VERSION_TEXT "\""));
}
