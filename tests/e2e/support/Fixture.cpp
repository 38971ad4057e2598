#include "support/E2E.h"

namespace e2e {

FrontEndTest::FrontEndTest(const FolderContents& contents) : folder(contents) { DeleteRegistryTree(kSettingsKey); }

FrontEndTest::~FrontEndTest() {
    KillProcessesInside(folder.path());
    DeleteRegistryTree(kSettingsKey);
}

}  // namespace e2e
