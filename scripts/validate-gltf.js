#!/usr/bin/env node
// Runs Khronos' glTF validator (the npm package gltf-validator) over glTF files and prints
// one JSON report per file: the counts of errors, warnings, infos and hints, and every
// message. Exits 1 when any file has an error or a warning, 2 when it cannot run.
//   node scripts/validate-gltf.js [--validator DIR] FILE.glb...
// DIR is the installed package (node_modules/gltf-validator); without it the package is
// looked up as Node looks up modules (NODE_PATH, node_modules folders).
'use strict';
const fs = require('fs');
const path = require('path');

const args = process.argv.slice(2);
let validatorDir = null;
if (args[0] === '--validator') {
  validatorDir = args[1];
  args.splice(0, 2);
}
if (args.length === 0) {
  console.error('usage: validate-gltf.js [--validator DIR] FILE.glb...');
  process.exit(2);
}
let validator;
try {
  validator = require(validatorDir ? path.resolve(validatorDir) : 'gltf-validator');
} catch (e) {
  console.error(`validate-gltf.js: cannot load gltf-validator (${e.message})`);
  process.exit(2);
}

async function validate(file) {
  const bytes = new Uint8Array(fs.readFileSync(file));
  // External resources would be a fault here: our files embed everything.
  const report = await validator.validateBytes(bytes, {
    uri: path.basename(file),
    maxIssues: 100,
    externalResourceFunction: (uri) => Promise.reject(new Error(`external resource ${uri}`)),
  });
  const issues = report.issues;
  const summary = {
    file,
    errors: issues.numErrors,
    warnings: issues.numWarnings,
    infos: issues.numInfos,
    hints: issues.numHints,
    messages: issues.messages.map((m) => ({code: m.code, severity: m.severity, message: m.message, pointer: m.pointer})),
  };
  console.log(JSON.stringify(summary));
  return issues.numErrors === 0 && issues.numWarnings === 0;
}

(async () => {
  let clean = true;
  for (const file of args) {
    try {
      clean = (await validate(file)) && clean;
    } catch (e) {
      console.error(`validate-gltf.js: ${file}: ${e.message || e}`);
      process.exit(2);
    }
  }
  process.exit(clean ? 0 : 1);
})();
