// The extension's check task and problem matcher, against the real tolm32:
// the matcher's patterns must read what tolm32 --check prints, and the tasks
// must run tolm32 --check with the files as separate arguments.
//   TOLM32=build/tolm32 node --test tests/
const assert = require("node:assert");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const Module = require("node:module");
const os = require("node:os");
const path = require("node:path");
const test = require("node:test");

const manifest = JSON.parse(fs.readFileSync(path.join(__dirname, "..", "package.json"), "utf8"));
const tolm32 = process.env.TOLM32;

// Runs tolm32 --check and gives what it printed to the standard error.
function checkReport(files) {
  try {
    execFileSync(tolm32, ["--check", ...files], { encoding: "utf8", stdio: ["ignore", "pipe", "pipe"] });
    return "";
  } catch (failed) {
    return failed.stderr;
  }
}

// What VS Code's problem matcher makes of the output: a multi-line pattern
// whose first regexp gives the place and whose second gives the message.
function problems(output) {
  const [where, what] = manifest.contributes.problemMatchers[0].pattern;
  const lines = output.split("\n");
  const found = [];
  for (let i = 0; i + 1 < lines.length; i++) {
    const place = new RegExp(where.regexp).exec(lines[i]);
    if (!place) continue;
    const message = new RegExp(what.regexp).exec(lines[i + 1]);
    if (!message) continue;
    found.push({
      file: place[where.file],
      line: Number(place[where.line]),
      column: Number(place[where.column]),
      message: message[what.message],
    });
  }
  return found;
}

test("the problem matcher reads every report of tolm32 --check", () => {
  assert.ok(tolm32, "TOLM32 names the program to check with");
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "tolm-vscode-"));
  try {
    const good = path.join(dir, "good.tm");
    const bad = path.join(dir, "bad.tm");
    const other = path.join(dir, "with blank.tm");
    fs.writeFileSync(good, "/plist\n");
    fs.writeFileSync(bad, "/plist\r\n/activate\r\n/wlist\r\n");
    fs.writeFileSync(other, "notepad c:\\doc\\a.txt /min\n");
    assert.deepStrictEqual(problems(checkReport([good, bad, other])), [
      { file: bad, line: 3, column: 1, message: "string expected at " },
      { file: other, line: 1, column: 26, message: "syntax error at /min" },
    ]);
    assert.deepStrictEqual(problems(checkReport([good])), []);
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});

// A stand-in for the parts of the vscode module the extension uses.
function fakeVscode(folders, filesByFolder) {
  class Task {
    constructor(definition, scope, name, source, execution, matchers) {
      Object.assign(this, { definition, scope, name, source, execution, matchers });
    }
  }
  return {
    TaskScope: { Workspace: "workspace" },
    TaskGroup: { Build: "build" },
    Task,
    ProcessExecution: class {
      constructor(process, args) {
        Object.assign(this, { process, args });
      }
    },
    RelativePattern: class {
      constructor(base, pattern) {
        Object.assign(this, { base, pattern });
      }
    },
    workspace: {
      workspaceFolders: folders,
      getConfiguration: () => ({ get: (_key, fallback) => fallback }),
      findFiles: async (pattern) => (filesByFolder[pattern.base.name] || []).map((fsPath) => ({ fsPath })),
    },
    tasks: {
      registerTaskProvider: (type, provider) => {
        fakeVscode.registered = { type, provider };
        return { dispose() {} };
      },
    },
  };
}

function loadExtension(vscode) {
  const load = Module._load;
  Module._load = (request, ...rest) => (request === "vscode" ? vscode : load(request, ...rest));
  try {
    const extension = path.join(__dirname, "..", "extension.js");
    delete require.cache[require.resolve(extension)];
    return require(extension);
  } finally {
    Module._load = load;
  }
}

test("the tasks run tolm32 --check with the files as arguments and the tolm-check matcher", async () => {
  const scripts = { name: "scripts" };
  const empty = { name: "empty" };
  const vscode = fakeVscode([scripts, empty], { scripts: ["/w/b.tm", "/w/a b.tm"] });
  loadExtension(vscode).activate({ subscriptions: [] });
  assert.strictEqual(fakeVscode.registered.type, "tolm");
  const tasks = await fakeVscode.registered.provider.provideTasks();
  const shown = tasks.map((t) => [t.name, t.scope, t.execution.process, t.execution.args, t.matchers]);
  assert.deepStrictEqual(shown, [
    ["check the current file", "workspace", "tolm32", ["--check", "${file}"], ["$tolm-check"]],
    ["check every command file", scripts, "tolm32", ["--check", "/w/a b.tm", "/w/b.tm"], ["$tolm-check"]],
  ]);
  const written = new vscode.Task({ type: "tolm", files: ["x.tm"] }, scripts, "mine");
  const resolved = fakeVscode.registered.provider.resolveTask(written);
  assert.deepStrictEqual(resolved.execution.args, ["--check", "x.tm"]);
  assert.strictEqual(fakeVscode.registered.provider.resolveTask(new vscode.Task({ type: "tolm" })), undefined);
  const matcherName = manifest.contributes.problemMatchers[0].name;
  assert.strictEqual(`$${matcherName}`, "$tolm-check");
});

test("the extension carries the program's version", () => {
  const cmake = fs.readFileSync(path.join(__dirname, "..", "..", "..", "CMakeLists.txt"), "utf8");
  const version = /^project\(tolm VERSION ([0-9.]+) /m.exec(cmake)[1];
  // VS Code wants three numbers: 5.0 is 5.0.0.
  const parts = version.split(".");
  while (parts.length < 3) parts.push("0");
  assert.strictEqual(manifest.version, parts.join("."));
  if (tolm32) assert.strictEqual(execFileSync(tolm32, ["--version"], { encoding: "utf8" }), `tolm32 ${version}\n`);
});
