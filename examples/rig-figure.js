// Rigs the example figure as a user would in the Figure Setup pane: imports the Poser
// hierarchy examples/figure.phi (its mesh lies below the runtime folder examples/Runtime)
// and presses Create. The pane builds a parametric figure with one bone per PHI line.
//   vxhost --script examples/rig-figure.js --save-scene figure.json
//   vxhost --script examples/rig-figure.js --export-gltf figure.glb   (any glTF viewer opens it)
//   xvfb-run -a -s "-screen 0 1600x1000x24" vxhost --script examples/rig-figure.js --screenshot figure.png
// Relative paths are read from the folder vxhost was started in (the repository's root).
vxApp.addPoserDirectory("examples");

var pane = vxApp.findPane("VxFigureSetupPane");
if (!pane)
    throw new Error("The Figure Setup pane is not loaded: is the plug-in in build/bin/plugins?");

var document = pane.getHierarchy();
document.loadPHI("examples/figure.phi");
if (document.getNumBones(true) == 0)
    throw new Error("examples/figure.phi gave no bones (see the log above)");
// The pane shows the document it holds again, as after the Import Poser Hierarchy action.
pane.setHierarchy(document);
pane.createFigure();

var figure = vxScene.findNode(document.getName());
if (!figure)
    throw new Error("Create made no figure named " + document.getName());
vxScene.selectAllNodes(false);
vxScene.selectNode(figure, true);
print("Created", figure.objectName, "with", document.getNumBones(true), "bones from",
      document.getBaseGeometry().getShortName());
