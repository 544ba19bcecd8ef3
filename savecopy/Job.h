// The save-copy job: one run's whole work.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Profile.h"

namespace savecopy {

struct DialogRequest {
  std::string proposedName;  // suggested name + extension
  std::string initialDir;    // the remembered folder
  std::string_view filter;
};

// What the job needs from the program around it: the user's answers and the
// two ways to end a run.
class JobHost {
 public:
  virtual ~JobHost() = default;
  // The full path the user chose, or nothing when the dialog was cancelled or
  // could not give a path.
  virtual std::optional<std::string> AskTarget(const DialogRequest& request) = 0;
  // True when the user allows `question`'s replacement.
  virtual bool ConfirmOverwrite(std::string_view question) = 0;
  // The run ends once control is back in the message loop.
  virtual void RequestQuit() = 0;
  // The run ends now; in the programs this does not return.
  virtual void StopNow() = 0;
};

// Offers the working file's copy under a name made from its title field,
// copies it where the user chooses and remembers that folder.
//
// A working file that cannot be opened ends the job with EFOpenError before
// any dialog. A copy that fails, and a title field that could not be read,
// end it with an Exception after the quit request; the remembered folder is
// written all the same after a failed copy.
void RunSaveCopy(const Profile& profile, std::string_view exePath, JobHost& host);

}  // namespace savecopy
