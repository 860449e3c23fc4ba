"""Plants one plausible fault at a time in a scratch copy of the tree and asks whether the tests notice.

Each fault is a literal replacement of one line's text in one file. The scratch copy (its own build
folder, configured once) is brought up to date with this tree, built, and the tests are run once as
they are; then, for each fault: apply it alone, build only the test programs that link the changed
library, run them (those of the changed folder first, the rest only when these pass), restore the file.
A fault is caught when a test program fails or hangs. Started by tools/mutants.sh.
"""

import argparse
import json
import os
import pathlib
import shutil
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent

# (file, exact old text, new text, what goes wrong)
FAULTS = [
    # camdata: the file format
    ("src/camdata/CamFile.cpp", "if (bytes_.size() - pos_ < N * kSlotSize)", "if (bytes_.size() - pos_ + 1 < N * kSlotSize)",
     "a slot is read with one byte missing"),
    ("src/camdata/CamFile.cpp", "constexpr std::size_t kTagOffset = 3;", "constexpr std::size_t kTagOffset = 2;",
     "the tag byte is looked for one byte early"),
    ("src/camdata/CamFile.cpp", "for (int k = 1; k <= count; ++k) {", "for (int k = 1; k < count; ++k) {",
     "the last camera of a set is not read"),
    ("src/camdata/LittleEndian.h", "static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24",
     "static_cast<std::uint32_t>(p[2]) << 24 | static_cast<std::uint32_t>(p[3]) << 16", "two bytes of a 32-bit word swapped"),
    ("src/camdata/CamFile.cpp", 'return "File not found.";', 'return "File not found";', "a reason loses its full stop"),
    ("src/camdata/CameraDocument.cpp", "storeLe32(&doc.header[8], 60 + 56", "storeLe32(&doc.header[8], 72 + 56",
     "the header's length counts the header"),
    ("src/camdata/FileSystem.cpp", "if (reading && (parent.empty() || fs::is_directory(parent, ec)))", "if (reading)",
     "a missing folder is reported as a missing file"),
    # camdata: numbers and values
    ("src/camdata/NumberText.cpp", "return std::nearbyint(scaled) / scale;", "return std::round(scaled) / scale;",
     "halves rounded away from zero instead of to even"),
    ("src/camdata/NumberText.cpp", "} else if (c == decimalSeparator && !separatorSeen) {", "} else if (c == decimalSeparator) {",
     "a second decimal separator is accepted"),
    ("src/camdata/NumberText.cpp", "if (magnitude >= kOverflowEdge)", "if (magnitude > kOverflowEdge)",
     "the overflow edge itself is taken as a float"),
    ("src/camdata/NumberText.cpp", "    if (i != text.size())", "    if (false)", "trailing text after a number is accepted"),
    ("src/camdata/ValueEditing.cpp", "stored <= static_cast<float>(row.highest);", "stored < static_cast<float>(row.highest);",
     "a field's highest value is refused"),
    ("src/camdata/ValueEditing.cpp", "changeOver.setFloat(std::fabs(x) > kChangeOverLimit ? std::copysign(kChangeOverLimit, x) : x);",
     "changeOver.setFloat(x);", "the kept change-over is not held to its limit"),
    ("src/camdata/ValueEditing.cpp", "const float x = changeOver.asFloat() - d;", "const float x = changeOver.asFloat() + d;",
     "the change-over moves the wrong way"),
    ("src/camdata/ValueEditing.cpp", "slot.setFloat(static_cast<float>(position / 1000.0));",
     "slot.setFloat(static_cast<float>(position / 100.0));", "a spinner step is a hundredth"),
    ("src/camdata/ValueEditing.cpp", "    slot = previous;", "    (void)previous;", "a refused value stays stored"),
    ("src/camdata/ValueDisplay.cpp", "        return current;", "        return min;", "an unknown position moves the spinner"),
    # camdata: whole-set commands, checks, the lap
    ("src/camdata/SlotOperations.cpp", "if (distanceOf(cameras, c) == kTrackEnd)", "if (distanceOf(cameras, c) > kTrackEnd)",
     "a camera is added behind the end of the track"),
    ("src/camdata/SlotOperations.cpp", "return {true, {}, c < n ? c : n - 1, n - 1};", "return {true, {}, c, n - 1};",
     "removing the last camera leaves a current camera past the end"),
    ("src/camdata/SlotOperations.cpp", "return static_cast<float>(roundHalfEven(mean, 3));",
     "return static_cast<float>(roundHalfEven(mean, 2));", "a middle distance rounded to centimetres"),
    ("src/camdata/SlotOperations.cpp", "for (int k = 2; k <= 12; ++k)", "for (int k = 2; k < 12; ++k)",
     "the last default value is not copied"),
    ("src/camdata/SlotOperations.cpp", "-cameras (256) has already", "-cameras (255) has already", "a wrong number in a message"),
    ("src/camdata/SlotOperations.cpp", "distance = x < kTrackStart ? kTrackStart : x;", "distance = x;",
     "a camera added before lands before the start"),
    ("src/camdata/CameraChecks.cpp", "if (std::isfinite(previous) && stored <= previous)", "if (std::isfinite(previous) && stored < previous)",
     "two cameras at the same distance pass the check"),
    ("src/camdata/CameraChecks.cpp", "value <= kLastZoom && moving", "value < kLastZoom && moving",
     "the last zoom value of a moving camera is not checked"),
    ("src/camdata/LapGeometry.cpp", "std::ceil(farthest / kLengthStep)", "std::floor(farthest / kLengthStep)",
     "the lap is rounded down and cuts off the farthest camera"),
    ("src/camdata/LapGeometry.cpp", "{ return at < stretch.to; });", "{ return at <= stretch.to; });",
     "a stretch's end belongs to the wrong camera"),
    # options
    ("src/options/Configuration.cpp", "void putFlag(bool value) { put(value ? 0xFFFFU : 0U, 2); }",
     "void putFlag(bool value) { put(value ? 1U : 0U, 2); }", "a true flag is stored as 1"),
    ("src/options/Configuration.cpp", "constexpr std::size_t kFixedRecordBytes = 3145;", "constexpr std::size_t kFixedRecordBytes = 3144;",
     "the record is read one byte short"),
    ("src/options/Configuration.cpp", "if (options.header == kConfigHeader) {", "if (true) {",
     "a configuration with a wrong header is taken"),
    ("src/options/Configuration.cpp", "result.debugModeCodes.push_back(3);", "result.debugModeCodes.push_back(2);",
     "a failed save reports the wrong code"),
    ("src/options/Configuration.cpp", "if (programFolderWritable || userFolder.empty())", "if (programFolderWritable)",
     "no user folder is taken as one"),
    ("src/options/Configuration.cpp", "return text.size() <= kMaxTextFieldBytes;", "return text.size() < kMaxTextFieldBytes;",
     "the longest text is refused"),
    ("src/options/DefaultValueBoxes.cpp", "*typed > spec.highest)", "*typed >= spec.highest)",
     "a default box refuses its highest value"),
    ("src/options/DefaultValueBoxes.cpp", "return ValueSlot::fromFloat(static_cast<float>(static_cast<double>(*typed) * kPi / 180.0));",
     "return ValueSlot::fromFloat(*typed);", "a default angle is stored in degrees"),
    ("src/options/OptionsDialog.cpp", "options_.shutdownDelay = -shutdownSlider_->value();",
     "options_.shutdownDelay = shutdownSlider_->value();", "the shutdown delay takes the slider's sign"),
    ("src/options/OptionsDialog.cpp", "placement = ValueSlot::fromFloat(kFirstDistance);", "(void)kFirstDistance;",
     "leaving 'in the middle' keeps the marker value"),
    ("src/options/OptionsDialog.cpp", "edit->setText(toQString(refusedBoxText(box, slot, separator)));", "(void)separator;",
     "a refused default value stays shown"),
    ("src/options/OptionsDialog.cpp", "settings.showInformation = showInformationInForce_;", "(void)showInformationInForce_;",
     "the test of a script follows the unsaved information box"),
    # remote
    ("src/remote/ScriptCommands.cpp", "if (remainder > 2 || (remainder == 2 && quarter % 2 != 0))", "if (remainder >= 2)",
     "a quarter of the delay rounds halves up"),
    ("src/remote/ScriptCommands.cpp", "return saturateToInt32(static_cast<std::int64_t>(std::floor(scaled)));",
     "return saturateToInt32(static_cast<std::int64_t>(std::round(scaled)));", "a recorded position is rounded, not cut"),
    ("src/remote/ScriptCommands.cpp", "                reference = release->atMs;", "                (void)reference;",
     "every interval counts from the start"),
    ("src/remote/ScriptCommands.cpp", "if (script.count > 0 && settings.askBeforeNewScript", "if (settings.askBeforeNewScript",
     "asks before overwriting an empty script"),
    ("src/remote/ScriptCommands.cpp", "clock.sleepMs(shutdownDelay);", "clock.sleepMs(quarter);", "the first wait of the shutdown is short"),
    ("src/remote/ScriptCommands.cpp", "for (std::size_t n = 1; n <= clicks.count; ++n) {", "for (std::size_t n = 1; n < clicks.count; ++n) {",
     "the last click is not played"),
    ("src/remote/ScriptCommands.cpp", "case ScriptOutcome::LaunchFailed: return false;", "case ScriptOutcome::LaunchFailed: return true;",
     "a failed launch enables the script controls"),
    ("src/remote/MouseInput.cpp", "(held * pixels + kAbsoluteMax / 2) / kAbsoluteMax", "(held * pixels) / kAbsoluteMax",
     "an absolute position is cut, not rounded"),
    ("src/remote/MouseInput.cpp", "if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))", "if (fraction >= 0.5)",
     "a pixel's absolute position rounds halves up"),
    ("src/remote/MouseInput.cpp", "case 4: return MouseFlags::MiddleDown;", "case 3: return MouseFlags::MiddleDown;",
     "the middle button is not pressed"),
    ("src/remote/MouseInput.cpp", "        direction = -kWheelDelta;", "        direction = kWheelDelta;",
     "an odd wheel direction turns the wrong way"),
    ("src/remote/ScriptCommands.cpp", "return context.input != nullptr && context.input->available();",
     "return context.input != nullptr;", "a backend that could not be opened is used"),
    ("src/remote/DeferredInputBackend.cpp", "return real != nullptr ? real->watchInput() : nullptr;", "return nullptr;",
     "a deferred backend waits by polling"),
    ("src/editor/MainWindow.cpp", "[] { QCoreApplication::processEvents(); });", "[] { QCoreApplication::processEvents(); });\n    if (mouseInput_)\n        mouseInput_->screenWidth();",
     "the start-up opens the input backend"),
    ("src/remote/ScriptActivity.cpp", "    stopRequested_ = false;", "    (void)0;", "a stop outlives its script"),
    ("src/remote/ClickScript.cpp", "    if (full())", "    if (false)", "a full script takes one more click"),
    # cli
    ("src/cli/CamTool.cpp", "return lines.empty() ? kExitOk : kExitFound;", "return kExitOk;", "diff says equal when files differ"),
    ("src/cli/CamTool.cpp", 'if (args[i] == "--raw" && command == "show")', 'if (args[i] == "--raw")',
     "--raw is taken by every command"),
    ("src/cli/CamText.cpp", '(count == 1 ? " camera" : " cameras")', '(count <= 1 ? " camera" : " cameras")',
     "no cameras is called a camera"),
    ("src/cli/CamText.cpp", "    if (shownA == shownB)", "    if (false)", "a difference hidden by rounding is shown without its bits"),
    ("src/cli/CamCsv.cpp", "        text.remove_prefix(3);", "        text.remove_prefix(2);", "a byte-order mark is cut one byte short"),
    ("src/cli/ValueColumns.cpp", 'heading.append(" [").append(unit).append("]");', 'heading.append(" (").append(unit).append(")");',
     "a heading shows its unit in the wrong brackets"),
    # widgets
    ("src/widgets/SpinButton.cpp", "if (value_ < minimum_ || value_ > maximum_)", "if (value_ < minimum_)",
     "a narrower range leaves the value above its maximum"),
    ("src/widgets/SpinButton.cpp", "singleStep_ = std::max(1, step);", "singleStep_ = step;", "a step of 0 is taken"),
    ("src/widgets/SpinButton.cpp", "pressedInside_ && arrowAt(event->position().toPoint()) == arrow;", "pressedInside_;",
     "a press released on the other arrow steps"),
    ("src/widgets/SpinButton.cpp", "    if (pressedInside_)\n        stepBy", "    if (false)\n        stepBy",
     "a held arrow does not repeat"),
    ("src/widgets/FrameStyle.cpp", "sample.pixelColor(c, last - i));", "sample.pixelColor(c, i));",
     "a frame's bottom edge is painted with its top edge's colours"),
    ("src/widgets/FrameStyle.cpp", "QRect(kSampleSize - c, 0, c, c));", "QRect(0, 0, c, c));",
     "a frame's top right corner is its top left one"),
    ("src/widgets/PngImage.cpp", "row[i] + (row[i - n] + up[i]) / 2);", "row[i] + (row[i - n] + up[i] + 1) / 2);",
     "a picture's average filter rounds up"),
    ("src/widgets/PngImage.cpp", "    return toUp <= toUpLeft ? up : upLeft;", "    return toUp <= toUpLeft ? upLeft : up;",
     "the Paeth predictor mixes up the bytes above and above left"),
    ("src/widgets/PngImage.cpp", "    if (rows.size() != expected)", "    if (rows.isEmpty())",
     "a picture with too few pixels is read past its end"),
    # editor
    ("src/editor/LapStrip.cpp", "active ? QPalette::WindowText : QPalette::PlaceholderText", "QPalette::WindowText",
     "the lap strip does not show which set's tab is open"),
    ("src/editor/CameraSetPanel.cpp", 'QStringLiteral("Enter a number between 1 and %1. Ready.")',
     'QStringLiteral("Enter a number between 0 and %1. Ready.")', "a wrong status text"),
    ("src/editor/CameraSetPanel.cpp", "selector_->setRange(count == 0 ? 0 : 1, count);", "selector_->setRange(1, count);",
     "an empty set's selector starts at 1"),
    ("src/editor/CameraSetPanel.cpp", ".value(kTvModeValue).setInt(fixedShown_ ? 1 : 0);",
     ".value(kTvModeValue).setInt(fixedShown_ ? 0 : 1);", "the mode box stores the opposite mode"),
    ("src/editor/CameraSetPanel.cpp", "    else\n        applyMode();", "    else\n        (void)0;",
     "a panel whose rows are not made yet does not flip the mode"),
    ("src/editor/CameraSetPanel.cpp", "        control->setEnabled(any);", "        control->setEnabled(true);",
     "an empty set keeps its controls enabled"),
    ("src/editor/MainWindowEditing.cpp", "count() > 1 && options_.askBeforeRemove && !confirmed", "count() > 1 && !confirmed",
     "removing asks although the option is off"),
    ("src/editor/MainWindowEditing.cpp", "if (options_.askBeforeAssignToAll && !confirmed", "if (!confirmed",
     "assign to all asks although the option is off"),
    ("src/editor/MainWindowEditing.cpp", "pitLanePanel().valueSpinner(row)->setValue(*commit.echo);", "(void)commit.echo;",
     "a typed pit-lane value leaves its spinner behind"),
    ("src/editor/MainWindowFiles.cpp", "    setModified(false);", "    setModified(true);", "a saved document stays modified"),
    ("src/editor/MainWindowFiles.cpp", "if (fileExists(camFileName_) && options_.askBeforeOverwrite) {",
     "if (options_.askBeforeOverwrite) {", "asks before overwriting a file that does not exist"),
    ("src/editor/MainWindowFiles.cpp", 'QStringLiteral("%1 %2 aborted. Ready.").arg(toQString(camFileFailureReason(error.kind)), command)',
     'QStringLiteral("%1 %2 aborted. Ready.").arg(command, toQString(camFileFailureReason(error.kind)))',
     "the reason and the command swapped in the status"),
    ("src/editor/MainWindowFiles.cpp", 'endsWith(QStringLiteral(".cam"), Qt::CaseInsensitive)', 'endsWith(QStringLiteral(".cam"), Qt::CaseSensitive)',
     "a dropped FILE.CAM is refused"),
    ("src/editor/MainWindowKeys.cpp", "tabs_->setCurrentIndex((tabs_->currentIndex() + direction + count) % count);",
     "tabs_->setCurrentIndex((tabs_->currentIndex() + direction) % count);", "the tabs do not wrap backwards"),
    ("src/editor/MainWindowKeys.cpp", "wanted = std::clamp(wanted, 1, count);", "wanted = std::min(wanted, count);",
     "the previous camera of the first is camera 0"),
    ("src/editor/MainWindow.cpp", "if (!isModified() || !options_.askBeforeExit)", "if (!options_.askBeforeExit)",
     "exit asks although nothing changed"),
    ("src/editor/LapStrip.cpp", "if (length / step <= labels)", "if (length / step < labels)", "the ruler takes a coarser step"),
    ("src/editor/LapStrip.cpp", "if (point.y() < b.hitTop || point.y() >= b.hitBottom)", "if (point.y() < b.hitTop || point.y() > b.hitBottom)",
     "a click just below a band picks in it"),
]


def say(text=""):
    print(text, flush=True)


def run(cmd, **kw):
    return subprocess.run(cmd, **kw)


class Scratch:
    def __init__(self, folder):
        self.folder = folder
        self.tree = folder / "tree"
        self.build = folder / "build"

    def sync(self):
        """Copies this tree's files (committed or not) where their contents differ; removes the rest."""
        listed = run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=ROOT,
                     check=True, capture_output=True).stdout.decode().split("\0")
        wanted = {name for name in listed if name and (ROOT / name).is_file()}
        for name in wanted:
            source, copy = ROOT / name, self.tree / name
            data = source.read_bytes()
            if not copy.is_file() or copy.read_bytes() != data:
                copy.parent.mkdir(parents=True, exist_ok=True)
                copy.write_bytes(data)  # a fresh time, so the build sees the change
                shutil.copymode(source, copy)
        for path in list(self.tree.rglob("*")):
            if path.is_file() and str(path.relative_to(self.tree)) not in wanted:
                path.unlink()

    def configure(self):
        query = self.build / ".cmake/api/v1/query/codemodel-v2"
        if (self.build / "build.ninja").is_file() and query.is_file():
            return
        query.parent.mkdir(parents=True, exist_ok=True)
        query.touch()
        run(["cmake", "-S", str(self.tree), "-B", str(self.build), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
             "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DVP_BUILD_BENCH=OFF"], check=True, stdout=subprocess.DEVNULL)

    def ninja(self, targets, jobs):
        relative = [os.path.relpath(t, self.build) for t in targets]  # ninja knows its outputs by these
        return run(["ninja", "-C", str(self.build), f"-j{jobs}", *relative], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL).returncode == 0


class TestPrograms:
    """The test programs of the build and the targets each one needs, from ctest and the CMake file API."""

    def __init__(self, build):
        shown = run(["ctest", "--show-only=json-v1"], cwd=build, check=True, capture_output=True).stdout
        self.groups = {}  # program path -> {"name", "gtest", "tests", "env", "cwd"}
        for test in json.loads(shown)["tests"]:
            command = test.get("command") or []
            if not command:
                continue
            props = {p["name"]: p["value"] for p in test.get("properties", [])}
            group = self.groups.setdefault(command[0], {"gtest": False, "tests": [], "env": [], "cwd": str(build)})
            group["gtest"] = group["gtest"] or any(a.startswith("--gtest_filter=") for a in command[1:])
            group["tests"].append(test["name"])
            group["env"] = props.get("ENVIRONMENT", group["env"])
            group["cwd"] = props.get("WORKING_DIRECTORY", group["cwd"])
        self._read_codemodel(build)

    def _read_codemodel(self, build):
        reply = build / ".cmake/api/v1/reply"
        index = json.loads(max(reply.glob("index-*.json")).read_text())
        codemodel = index["reply"]["codemodel-v2"]["jsonFile"]
        model = json.loads((reply / codemodel).read_text())
        self.source_root = pathlib.Path(model["paths"]["source"])
        self.targets = {}
        for entry in model["configurations"][0]["targets"]:
            target = json.loads((reply / entry["jsonFile"]).read_text())
            artifacts = [str(build / a["path"]) if not os.path.isabs(a["path"]) else a["path"]
                         for a in target.get("artifacts", [])]
            self.targets[target["id"]] = {
                "name": target["name"],
                "sources": {s["path"] for s in target.get("sources", [])},
                "deps": [d["id"] for d in target.get("dependencies", [])],
                "artifacts": artifacts,
            }

    def owners(self, path):
        """The targets built from a file; for a header none lists, the targets with a source beside it."""
        direct = {t for t, info in self.targets.items() if path in info["sources"]}
        if direct:
            return direct
        folder = str(pathlib.PurePosixPath(path).parent) + "/"
        return {t for t, info in self.targets.items()
                if any(s.startswith(folder) and "/" not in s[len(folder):] for s in info["sources"])}

    def needs(self, target, seen=None):
        seen = set() if seen is None else seen
        for dep in self.targets[target]["deps"]:
            if dep not in seen:
                seen.add(dep)
                self.needs(dep, seen)
        return seen | {target}

    def target_of(self, program):
        for t, info in self.targets.items():
            if program in info["artifacts"]:
                return t
        return None

    def affected(self, path, programs):
        owners = self.owners(path)
        out = []
        for program in programs:
            target = self.target_of(program)
            if target is not None and self.needs(target) & owners:
                out.append(program)
        return out


def run_group(programs, program, group, timeout, failures=None):
    """True when the tests of one program pass. With a failures list, every test is run and the names
    of the failing ones are added to it (the program's name alone when it hangs or fails to report)."""
    env = dict(os.environ)
    for item in group["env"]:
        key, _, value = item.partition("=")
        env[key] = value
    env["LC_ALL"] = "C.UTF-8"
    report = pathlib.Path(programs.build_dir) / "mutant-report.json"
    report.unlink(missing_ok=True)
    try:
        if group["gtest"]:
            extra = [f"--gtest_output=json:{report}"] if failures is not None else ["--gtest_fail_fast"]
            result = run([program, "--gtest_brief=1", *extra], cwd=group["cwd"], env=env,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout)
        else:
            names = "|".join(group["tests"])
            result = run(["ctest", "-R", f"^({names})$", "--timeout", str(timeout)], cwd=programs.build_dir,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout + 30)
        passed = result.returncode == 0
    except subprocess.TimeoutExpired:
        passed = False
    if failures is not None and not passed:
        failures.extend(failing_tests(programs, program, group, report))
    return passed


def failing_tests(programs, program, group, report):
    """The names of the failing tests of one program run, from its report or ctest's log."""
    name = os.path.basename(program)
    if group["gtest"]:
        if not report.is_file():
            return [f"{name} (no report)"]
        suites = json.loads(report.read_text()).get("testsuites", [])
        failed = [f"{suite['name']}.{case['name']}" for suite in suites for case in suite.get("testsuite", [])
                  if case.get("failures")]
        return failed or [f"{name} (exit code)"]
    log = pathlib.Path(programs.build_dir) / "Testing/Temporary/LastTestsFailed.log"
    failed = [line.split(":", 1)[1] for line in log.read_text().splitlines() if ":" in line] if log.is_file() else []
    return failed or [f"{name} (hung)"]


def ordered(programs, affected, area):
    """The programs of the changed folder's tests first; the slow end-to-end ones last."""
    def key(program):
        rel = os.path.relpath(program, programs.build_dir)
        return (f"/{area}/" not in f"/{rel}", "end_to_end" in rel, rel)
    return sorted(affected, key=key)


def write_matrix(path, matrix):
    """Writes fault -> catching tests, and prints the tests that alone catch a fault."""
    path.write_text(json.dumps({str(n): sorted(set(t)) for n, t in matrix.items()}, indent=1) + "\n")
    alone = {}
    for n, tests in matrix.items():
        if len(set(tests)) == 1:
            alone.setdefault(tests[0], []).append(n)
    say(f"\nmatrix written to {path}; tests that alone catch a fault:")
    for test, faults in sorted(alone.items()):
        say(f"  {test}: {', '.join(map(str, faults))}")


def main():
    parser = argparse.ArgumentParser(prog="tools/mutants.sh", description="Plants faults one at a time and runs the tests.")
    parser.add_argument("--list", action="store_true", help="list the faults and stop")
    parser.add_argument("--only", help="only these faults: N or N,M,... (numbers from --list)")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=120, help="seconds for one test program")
    parser.add_argument("--matrix", metavar="FILE",
                        help="run every affected test for each fault and write which tests catch it (JSON)")
    args = parser.parse_args()

    if args.list:
        for n, (path, old, new, what) in enumerate(FAULTS, 1):
            say(f"{n:3d}  {path}: {what}\n       - {old}\n       + {new}")
        return 0
    chosen = list(range(1, len(FAULTS) + 1))
    if args.only:
        chosen = [int(n) for n in args.only.split(",")]
        if any(n < 1 or n > len(FAULTS) for n in chosen):
            parser.error(f"faults are numbered 1 to {len(FAULTS)}")

    folder = pathlib.Path(os.environ.get("VP_MUTANTS_DIR", f"/tmp/vp-mutants-{os.environ.get('USER', 'dev')}"))
    scratch = Scratch(folder)
    started = time.monotonic()
    say(f"scratch copy {scratch.tree}, build {scratch.build}")
    scratch.sync()
    scratch.configure()
    if not scratch.ninja([], args.jobs):
        say("the unchanged tree does not build; stopping")
        return 2
    programs = TestPrograms(scratch.build)
    programs.build_dir = str(scratch.build)

    say("running every test program on the unchanged tree...")
    usable = []
    for program, group in sorted(programs.groups.items()):
        if run_group(programs, program, group, args.timeout):
            usable.append(program)
        else:
            say(f"  left out, fails unchanged: {os.path.relpath(program, scratch.build)}")

    caught = missed = errors = 0
    escaped = []
    matrix = {}
    for n in chosen:
        path, old, new, what = FAULTS[n - 1]
        file = scratch.tree / path
        original = file.read_text() if file.is_file() else ""
        found = original.count(old)
        if found != 1:
            say(f"{n:3d}  TOOL ERROR  {path}: the text is found {found} times: {old}")
            errors += 1
            continue
        area = path.split("/")[1]
        affected = ordered(programs, programs.affected(path, usable), area)
        t0 = time.monotonic()
        verdict = "NOT caught"
        catchers = []
        try:
            file.write_text(original.replace(old, new, 1))
            own = [p for p in affected if f"/tests/{area}/" in p]
            rest = [p for p in affected if p not in own]
            for stage in (own, rest):
                if not stage:
                    continue
                if not scratch.ninja(stage, args.jobs):
                    verdict = "TOOL ERROR: does not build"
                    break
                if args.matrix:
                    for p in stage:
                        run_group(programs, p, programs.groups[p], args.timeout, catchers)
                    if catchers:
                        verdict = f"caught by {len(catchers)} tests"
                    continue
                failing = next((p for p in stage if not run_group(programs, p, programs.groups[p], args.timeout)), None)
                if failing:
                    verdict = f"caught by {os.path.basename(failing)}"
                    break
        finally:
            file.write_text(original)
        matrix[n] = catchers
        if verdict.startswith("TOOL ERROR"):
            errors += 1
        elif verdict.startswith("caught"):
            caught += 1
        else:
            missed += 1
            escaped.append(n)
        say(f"{n:3d}  {verdict:<40s} {path}: {what}  ({time.monotonic() - t0:.0f} s)")

    if args.matrix:
        write_matrix(pathlib.Path(args.matrix), matrix)
    say(f"\ncaught {caught} of {caught + missed}; not caught: {', '.join(map(str, escaped)) or 'none'}"
        f"{f'; tool errors {errors}' if errors else ''}  ({(time.monotonic() - started) / 60:.0f} min)")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
