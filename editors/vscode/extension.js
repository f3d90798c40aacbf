// The "tolm" tasks: tolm32 --check on command files, its "Line N Col M in
// file ..." reports shown as problems by the tolm-check problem matcher.
// The program is started with an argument vector, never through a shell.
const vscode = require("vscode");

const TASK_TYPE = "tolm";

function executable() {
  return vscode.workspace.getConfiguration("tolm").get("executable", "tolm32");
}

function checkTask(definition, scope, name) {
  const execution = new vscode.ProcessExecution(executable(), ["--check", ...definition.files]);
  const task = new vscode.Task(definition, scope, name, "tolm", execution, ["$tolm-check"]);
  task.group = vscode.TaskGroup.Build;
  return task;
}

function activate(context) {
  const provider = {
    // One task for the file being edited, one for every command file of each folder.
    async provideTasks() {
      const tasks = [
        checkTask({ type: TASK_TYPE, files: ["${file}"] }, vscode.TaskScope.Workspace, "check the current file"),
      ];
      for (const folder of vscode.workspace.workspaceFolders || []) {
        const found = await vscode.workspace.findFiles(new vscode.RelativePattern(folder, "**/*.tm"));
        if (found.length === 0) continue;
        const files = found.map((uri) => uri.fsPath).sort();
        tasks.push(checkTask({ type: TASK_TYPE, files }, folder, "check every command file"));
      }
      return tasks;
    },
    // A task of type "tolm" written in tasks.json.
    resolveTask(task) {
      if (!Array.isArray(task.definition.files)) return undefined;
      return checkTask(task.definition, task.scope || vscode.TaskScope.Workspace, task.name);
    },
  };
  context.subscriptions.push(vscode.tasks.registerTaskProvider(TASK_TYPE, provider));
}

function deactivate() {}

module.exports = { activate, deactivate };
