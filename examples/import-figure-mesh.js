// Imports the example figure mesh as a prop and selects it.
//   vxhost --script examples/import-figure-mesh.js --save-scene scene.json
//   xvfb-run -a -s "-screen 0 1600x1000x24" vxhost --script examples/import-figure-mesh.js --screenshot shot.png
// Relative paths are read from the folder vxhost was started in (the repository's root).
var mesh = vxScene.importMesh("examples/Runtime/Geometries/Figure/figure.obj");
vxScene.selectAllNodes(false);
vxScene.selectNode(mesh, true);
print("Imported", mesh.objectName, "- selected:", vxScene.getPrimarySelection().objectName);
