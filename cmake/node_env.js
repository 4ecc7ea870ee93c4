// The process's environment reaches getenv() as it does natively (emscripten passes only a few names).
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  if (typeof ENV != 'undefined') Object.assign(ENV, process.env);
});
