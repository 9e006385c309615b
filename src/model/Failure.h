#pragma once

// A trapped or untrapped run-time fault, carrying the system's numeric code.
// Only a few places catch it (the census, the file buttons, the event loop's
// last-resort guard); everywhere else it travels to the caller.
namespace velmora {

enum FailureCode : int {
  kInvalidCall = 5,
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kBadFileNumber = 52,
  kFileNotFound = 53,
  kInputPastEnd = 62,
  kDeviceUnavailable = 68,
  kPermissionDenied = 70,
  kDiskNotReady = 71,
  kPathFileAccessError = 75,
  kPathNotFound = 76,
};

struct Failure {
  int code;
};

}  // namespace velmora
