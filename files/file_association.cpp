#include "files/file_association.h"

namespace merva {

std::vector<RegistryEntry> FileAssociationEntries(const std::string& programPath) {
  const std::string command =
      programPath.find(' ') != std::string::npos ? "\"" + programPath + "\"" : programPath;
  return {
      {"MERVAW", "MERVA File"},
      {"MERVAW\\DefaultIcon", programPath + ",1"},
      {"MERVAW\\shell\\open\\command", command},
      {"MERVAW\\shell\\open\\ddeexec", "[FileOpen(\"%1\")]"},
      {"MERVAW\\shell\\open\\ddeexec\\application", "MERVAW"},
      {"MERVAW\\shell\\open\\ddeexec\\topic", "ROZAVA"},
      {"MERVAW\\shell\\print\\command", command},
      {"MERVAW\\shell\\print\\ddeexec", "[FileOpen(\"%1\")][FilePrint()][FileClose()]"},
      {"MERVAW\\shell\\print\\ddeexec\\application", "MERVAW"},
      {"MERVAW\\shell\\print\\ddeexec\\topic", "ROZAVA"},
      {"MERVAW\\shell\\print\\ddeexec\\ifexec", "[FileOpen(\"%1\")][FilePrint()][FileExit()]"},
      {".grf", "MERVAW"},
  };
}

int WriteFileAssociation(ProfileStore& classesRoot, const std::string& programPath) {
  int written = 0;
  for (const RegistryEntry& entry : FileAssociationEntries(programPath))
    if (classesRoot.Put(entry.key, "", entry.value)) ++written;
  return written;
}

}  // namespace merva
