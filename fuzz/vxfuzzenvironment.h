#pragma once

#include "vxfuzzreaders.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class QApplication;
class QTemporaryDir;
class VxApp;
class VxMessageBoxDismisser;

// What a fuzz target's process needs around the readers, made once at start-up: an offscreen
// QApplication, the host's application object with its folders in a temporary folder, a
// runtime folder holding a small stand-in for the example mesh (so the example paths of the
// seed inputs resolve, and load fast), and a dismisser for message boxes.
class VxFuzzEnvironment
{
public:
    static void start(int* argc, char*** argv);
    static VxFuzzEnvironment& instance();

    VxFuzzReaders& readers() { return *m_readers; }
    // One input through a reader that re-reads what it read (readTemplate, readPHI): a
    // difference between the two readings aborts, with `what` and the difference on stderr,
    // so libFuzzer keeps the input.
    using RoundTripReader = bool (VxFuzzReaders::*)(const QByteArray&, QString*);
    void checkRoundTrip(RoundTripReader read, const char* what, const std::uint8_t* data, std::size_t size);
    // Every refused input adds a line to the host log; emptying it keeps long runs from
    // filling the disk.
    void trimLog();

private:
    VxFuzzEnvironment(int* argc, char*** argv);

    std::unique_ptr<QApplication> m_qtApp;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<VxApp> m_app;
    std::unique_ptr<VxMessageBoxDismisser> m_dismisser;
    std::unique_ptr<VxFuzzReaders> m_readers;
};
