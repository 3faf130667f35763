// SPDX-License-Identifier: MIT
// Saves COUNT values named PREFIX0, PREFIX1 … one save each, into the store in
// FOLDER: a program of its own for the tests of saves made at once. Exits 1
// when any save failed.
//   helune-store-writer FOLDER PREFIX COUNT
#include <QString>
#include <cstdlib>

#include "Registry.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const helune::RegistryStore store{QString::fromLocal8Bit(argv[1])};
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    bool failed = false;
    for (int i = 0, count = std::atoi(argv[3]); i < count; ++i)
        failed |= !helune::WriteRegValue(helune::RegistryRoot::CurrentUser, helune::RegistryKeyPath,
                                         prefix + QString::number(i), QStringLiteral("1"), helune::kRegText, store);
    return failed ? 1 : 0;
}
