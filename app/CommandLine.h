// Command-line verbs: one-shot jobs of the same executable.
#pragma once
#include <string>

namespace vantrel {

// Where start-up goes once the verbs have had their turn.
enum class Handover {
  Wizard,            // no verb: the main window starts
  LanguagePage,      // "lang": the secondary window on its language page
  SubscriptionPage,  // "subscribe": the secondary window on its subscription page
  Clean,             // "clean" and its words: the small window of an unattended run
  End,               // a verb did its job, or start-up failed: the process ends
};

// Runs the job of a verb. The command line is compared whole and with case,
// so "Lang" or " lang" is a normal start.
Handover DispatchVerb(const std::wstring& commandLine);

// Starts the program again with a verb, without waiting for it. When it
// cannot be started the user is told so, and the result is false: a window
// that would have ended for it stays.
bool RestartWithVerb(const std::wstring& verb);

}  // namespace vantrel
