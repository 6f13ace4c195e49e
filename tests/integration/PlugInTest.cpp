#include "headless/objects/Host.h"
#include "integration/ImplementationRecord.h"
#include "integration/PlugIn.h"
#include "integration/XRefID.h"
#include "tests/support/TestApp.h"

namespace {
int32 LinkedRecordCount() {
  int32 n = 0;
  for (ImplementationRecord* r = ImplementationRecordsHead(); r; r = r->next) ++n;
  return n;
}
}  // namespace

TEST(PlugIn, LoadsFromItsLibraryAndRegistersItsRecords) {
  Application app(AppOptions{"-"});
  const int32 before = Host::Get().Impls().InstallCount();
  std::string error;
  ASSERT_TRUE(app.LoadPlugin(XREF_PLUGIN_PATH, &error)) << error;
  const int32 installed = Host::Get().Impls().InstallCount() - before;
  // The library holds the same records as the code linked into the tests.
  EXPECT_GT(installed, 0);
  EXPECT_EQ(LinkedRecordCount(), installed);
  EXPECT_EQ(kXRefCurrentDataVersion, Host::Get().PluginVersions()[kXRefPluginID]);

  // Registering again installs the same records again, and nothing else.
  const size_t distinct = Host::Get().Impls().Size();
  ASSERT_TRUE(app.LoadPlugin(XREF_PLUGIN_PATH, &error)) << error;
  EXPECT_EQ(installed, Host::Get().Impls().InstallCount() - before - installed);
  EXPECT_EQ(distinct, Host::Get().Impls().Size());

  // Leave the linked plug-in's records in place for the other tests.
  ASSERT_TRUE(app.RegisterPlugin(GetPlugIn(), &error)) << error;
}

TEST(PlugIn, ChecksAndIdentity) {
  IPlugIn* plugin = GetPlugIn();
  EXPECT_TRUE(plugin->CanLoad());
  EXPECT_TRUE(plugin->CanRegister());
  EXPECT_FALSE(plugin->IsUIOnly());
  EXPECT_TRUE(plugin->HasModelData());
  // The library knows its own file, from which its resources are read.
  EXPECT_FALSE(plugin->GetResourceFile().IsEmpty());
  EXPECT_TRUE(plugin->GetResourceFile().Exists());
  Application app(AppOptions{"-"});
  std::string error;
  ASSERT_TRUE(app.RegisterPlugin(plugin, &error)) << error;
  EXPECT_EQ(kXRefPluginID, plugin->GetPluginID());
  // Every persistent implementation has a read-write function, and they are
  // all within the plug-in's identifier range.
  for (ImplementationRecord* r = ImplementationRecordsHead(); r; r = r->next) {
    EXPECT_EQ(kXRefPluginID, Host::PluginOf(IdValue(r->id)));
    EXPECT_EQ(0u, r->reserved1);
    EXPECT_EQ(0u, r->reserved2);
  }
}
