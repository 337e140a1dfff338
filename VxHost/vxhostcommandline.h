#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// What the user asked vxhost to do. At most one batch option; without one the host opens
// its main window.
class VxHostCommandLine
{
public:
    enum Mode {
        Gui,         // no batch option: open the main window
        ListPlugins, // --plugins
        MeshInfo,    // --mesh-info FILE
        RunScript,   // --script FILE (with or without --save-scene, --export-gltf, --screenshot)
        SaveScene,   // --save-scene FILE without a script: the scene as it is at start-up
        ExportGltf,  // --export-gltf FILE without a script (with or without --save-scene)
        Screenshot,  // --screenshot FILE without a script (with or without --save-scene)
        ShowHelp,    // -h, --help
        ShowVersion, // -v, --version
    };

    // Parses the arguments, the program name first. False with errorText() when they
    // make no sense (unknown option, missing value, two batch options, stray arguments).
    bool parse(const QStringList& arguments);

    Mode mode() const { return m_mode; }
    // The file of --mesh-info or --script.
    QString file() const { return m_file; }
    // The file of --save-scene, written after the script has run; empty when not asked.
    QString sceneFile() const { return m_sceneFile; }
    // The .glb file of --export-gltf, written after the scene file; empty when not asked.
    QString gltfFile() const { return m_gltfFile; }
    // The PNG file of --screenshot, written last; empty when not asked.
    QString screenshotFile() const { return m_screenshotFile; }
    // The window size of --size WxH; invalid when not given.
    QSize windowSize() const { return m_windowSize; }
    QStringList extraPlugins() const { return m_plugins; }
    QStringList runtimeDirectories() const { return m_runtimes; }
    // Empty when the default data folder is to be used.
    QString dataDirectory() const { return m_dataDir; }
    QString errorText() const { return m_error; }

    // True when this run shows no window of its own (batch options, help, version, and
    // arguments that could not be parsed).
    bool isBatch() const { return m_mode != Gui || !m_error.isEmpty(); }
    // True when the run builds the main window: the interactive start and the batch runs
    // that work on the scene (--script, --save-scene, --export-gltf, --screenshot).
    bool buildsWindow() const
    {
        return m_mode == Gui || m_mode == RunScript || m_mode == SaveScene || m_mode == ExportGltf || m_mode == Screenshot;
    }
    // True when the run needs a display: the window is shown.
    bool needsDisplay() const { return m_mode == Gui || !m_screenshotFile.isEmpty(); }

    static QString helpText();

private:
    Mode m_mode = Gui;
    QString m_file;
    QString m_sceneFile;
    QString m_gltfFile;
    QString m_screenshotFile;
    QSize m_windowSize;
    QStringList m_plugins;
    QStringList m_runtimes;
    QString m_dataDir;
    QString m_error;
};
