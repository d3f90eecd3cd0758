#pragma once
#include <QString>

// First run: makes sure the data folder exists and, when the content database
// is missing from it, unpacks the content package the installation carries,
// with the progress box "3001" up meanwhile.
void PrepareContentData();

// The package the installation carries: <application folder>/giz/vrndata.giz.
QString InstalledPackagePath();

// Unpacks a content package into destination: checks the package's detached
// signature against the built-in public key, copies it to runCopy and runs the
// copy hidden as `runCopy -d<destination><separator>`, waiting in the event
// loop until it has ended. A package that is missing or fails the signature
// check is not run; false then, with *error telling why. The unpacker's exit
// code is not examined.
bool UnpackContentPackage(const QString& package, const QString& runCopy, const QString& destination,
                          QString* error = nullptr);
