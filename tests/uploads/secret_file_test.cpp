// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/secret_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "temp_folder.h"

namespace tavik {
namespace {

TEST(SecretFile, FoundInTheCredentialsFolderFirstThenTheStationFolder) {
  testing::TempFolder station;
  testing::TempFolder credentials;
  EXPECT_EQ(secretFilePath("", station.dir(), credentials.dir().c_str()), "");
  EXPECT_EQ(secretFilePath("/etc/tavik/wu", station.dir(), nullptr), "/etc/tavik/wu");
  EXPECT_EQ(secretFilePath("wu", station.dir(), credentials.dir().c_str()), station.dir() + "wu");
  std::ofstream(credentials.dir() + "wu") << "x";
  EXPECT_EQ(secretFilePath("wu", station.dir(), credentials.dir().c_str()),
            credentials.dir() + "wu");
  EXPECT_EQ(secretFilePath("wu", station.dir(), ""), station.dir() + "wu");
}

TEST(SecretFile, OnlyTheFirstLineOfASmallRegularFile) {
  testing::TempFolder folder;
  const std::string path = folder.dir() + "key";
  std::ofstream(path) << "s3cret\r\nzweite Zeile\n";
  EXPECT_EQ(readSecretFile(path, "WU-Schlüsseldatei").value, "s3cret");
  std::ofstream(path, std::ios::trunc) << "";
  EXPECT_EQ(readSecretFile(path, "WU-Schlüsseldatei").value, "");

  std::ofstream(path, std::ios::trunc) << std::string(kSecretFileMaxBytes, 'k');
  EXPECT_TRUE(readSecretFile(path, "WU-Schlüsseldatei").ok());
  std::ofstream(path, std::ios::app) << "k";
  EXPECT_EQ(readSecretFile(path, "WU-Schlüsseldatei").error,
            "Die WU-Schlüsseldatei " + path +
                " kann nicht gelesen werden: sie ist größer als 4096 Bytes.");

  EXPECT_EQ(readSecretFile(folder.dir() + "fehlt", "CWOP-Schlüsseldatei").error,
            "Die CWOP-Schlüsseldatei " + folder.dir() +
                "fehlt kann nicht gelesen werden: die Datei gibt es nicht.");
}

TEST(SecretFile, APipeOrAFolderIsRefusedWithoutWaiting) {
  testing::TempFolder folder;
  const std::string fifo = folder.dir() + "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto pipe = readSecretFile(fifo, "WU-Schlüsseldatei");
  EXPECT_FALSE(pipe.ok());
  EXPECT_NE(pipe.error.find("keine gewöhnliche Datei"), std::string::npos);
  EXPECT_NE(readSecretFile(folder.dir(), "WU-Schlüsseldatei").error.find("keine gewöhnliche Datei"),
            std::string::npos);
}

}  // namespace
}  // namespace tavik
