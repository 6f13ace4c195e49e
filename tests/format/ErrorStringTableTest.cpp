// Table 2200 words every error code the plug-in sets.
#include "format/XRefFormatID.h"
#include "host/IErrorStringService.h"
#include "tests/support/TestApp.h"

TEST(ErrorStringTable, EveryPluginErrorCodeHasEnglishText) {
  TestApp app;
  std::vector<int32> codes{0xF2C0C};
  for (int32 code = 0xF2C64; code <= 0xF2C6E; ++code) codes.push_back(code);
  for (int32 code = 0xF2CB0; code <= 0xF2CB3; ++code) codes.push_back(code);
  for (int32 code : codes) {
    const std::string text = ErrorUtils::PMGetErrorString(ErrorCode{code}).GetUTF8String();
    SCOPED_TRACE(code);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(std::string::npos, text.find("QX#"));
    EXPECT_EQ(std::string::npos, text.find("Error 0x"));
  }
  EXPECT_EQ("No cross-reference format of that name",
            ErrorUtils::PMGetErrorString(kXRefFormatNotFoundError).GetUTF8String());
}

TEST(ErrorStringTable, EveryHostErrorCodeReadsAsWords) {
  TestApp app;
  std::vector<int32> codes{0x20, 0x21, 0x14300};
  for (int32 code = 1; code <= 12; ++code) codes.push_back(code);
  for (int32 code = 0x14200; code <= 0x14206; ++code) codes.push_back(code);
  for (int32 code : codes) {
    const std::string text = ErrorUtils::PMGetErrorString(ErrorCode{code}).GetUTF8String();
    SCOPED_TRACE(code);
    EXPECT_EQ(std::string::npos, text.find("0x"));
    EXPECT_EQ(std::string::npos, text.find("Unknown"));
  }
  EXPECT_EQ("The story is locked", ErrorUtils::PMGetErrorString(ErrorCode{0x20}).GetUTF8String());
}
