"""The Python module against the batch tool it mirrors: same results, same scenes,
same messages, and errors raised as ValueError.

Run with the module on PYTHONPATH: torvane_module_test.py CLI EXAMPLES_DIR WORK_DIR"""

import json
import os
import random
import subprocess
import sys
import unittest

import torvane

CLI, EXAMPLES, WORK = sys.argv[1:4]

WORKED = {"mode": "translate",
          "cluster1": [{"kind": "L", "x0": 0, "y0": 0, "x1": 10, "y1": 0},
                       {"kind": "C", "x": 5, "y": 15, "r": -5}],
          "cluster2": [{"kind": "C", "x": 30, "y": 10, "r": 5},
                       {"kind": "L", "x0": 40, "y0": 0, "x1": 40, "y1": 10}]}


def cli(args, stdin=""):
    p = subprocess.run([CLI] + args, input=stdin, capture_output=True, text=True, timeout=120)
    return p.returncode, p.stdout, p.stderr


def random_problem(rng):
    def obj():
        if rng.random() < 0.5:
            return {"kind": "C", "x": rng.uniform(-40, 40), "y": rng.uniform(-40, 40),
                    "r": rng.uniform(-25, 25)}
        x0, y0 = rng.uniform(-40, 40), rng.uniform(-40, 40)
        return {"kind": "L", "x0": x0, "y0": y0, "x1": x0 + rng.uniform(1, 30), "y1": y0 + rng.uniform(-30, 30)}
    return {"mode": rng.choice(("translate", "rotate")),
            "cluster1": [obj(), obj()], "cluster2": [obj(), obj()]}


class Solve(unittest.TestCase):
    def test_same_result_as_the_batch_tool(self):
        mine = torvane.solve(WORKED)
        rc, out, _ = cli(["solve", "--json"], json.dumps(WORKED))
        theirs = json.loads(out)
        self.assertEqual(rc, 0)
        for key in ("schema", "ok", "solver", "message", "candidates"):
            self.assertEqual(mine[key], theirs[key])
        self.assertEqual(len(mine["candidates"]), 4)
        certified = torvane.solve(WORKED, certify=True)["candidates"]
        self.assertTrue(all(c["certified"] and c["radius"] < 1e-9 for c in certified))

    def test_circles_touching_three_objects(self):
        # The 3-4-5 triangle's sides, counter-clockwise: its incircle (1, 1, 1) alone.
        problem = {"mode": "none",
                   "objects": [{"kind": "L", "x0": 0, "y0": 0, "x1": 4, "y1": 0},
                               {"kind": "L", "x0": 4, "y0": 0, "x1": 0, "y1": 3},
                               {"kind": "L", "x0": 0, "y0": 3, "x1": 0, "y1": 0}]}
        mine = torvane.solve(problem)
        rc, out, _ = cli(["solve", "--json"], json.dumps(problem))
        self.assertEqual(rc, 0)
        self.assertEqual(mine["candidates"], json.loads(out)["candidates"])
        self.assertEqual(len(mine["candidates"]), 1)
        self.assertEqual(mine["candidates"][0]["parameter"], 0)
        self.assertAlmostEqual(mine["candidates"][0]["r"], 1.0, places=12)

    def test_bad_problem_raises_value_error_with_the_tools_message(self):
        bad = dict(WORKED, tolerance=1e-3)
        with self.assertRaises(ValueError) as caught:
            torvane.solve(bad)
        _, _, err = cli(["solve"], json.dumps(bad))
        self.assertEqual("torvane-cli: stdin: " + str(caught.exception) + "\n", err)
        with self.assertRaises(ValueError):
            torvane.solve({"mode": "translate", "cluster1": [{"kind": "C", "x": float("nan"), "y": 0, "r": 1}],
                           "cluster2": []})

    def test_solve_many_keeps_order_across_threads(self):
        rng = random.Random(11)
        problems = [random_problem(rng) for _ in range(300)]
        many = torvane.solve_many(problems, threads=3)
        self.assertEqual(len(many), len(problems))
        for problem, result in zip(problems, many):
            self.assertEqual(result["candidates"], torvane.solve(problem)["candidates"])
        problems[5] = {"mode": "sideways", "cluster1": [], "cluster2": []}
        with self.assertRaisesRegex(ValueError, r"^problem 5: \"mode\" must be"):
            torvane.solve_many(problems)
        with self.assertRaises(ValueError):
            torvane.solve_many([WORKED], threads=0)


class Scenes(unittest.TestCase):
    OBJECTS = [
        {"kind": "C", "x": 1.0, "y": 2.0, "r": -3.0, "red": 255, "green": 0, "blue": 0, "width": 1, "dashed": 0},
        {"kind": "L'", "x0": 0.1, "y0": -0.0, "x1": 5.0, "y1": 1e-300, "red": 1, "green": 2, "blue": 3,
         "width": 3, "dashed": 1},
    ]

    def test_save_and_load_match_the_batch_tool_byte_for_byte(self):
        mine, theirs = os.path.join(WORK, "py.tvn"), os.path.join(WORK, "tool.tvn")
        torvane.save(mine, self.OBJECTS)
        source = os.path.join(WORK, "py-scene.json")
        with open(source, "w") as f:
            json.dump({"objects": self.OBJECTS}, f)
        self.assertEqual(cli(["from-json", source, theirs])[0], 0)
        with open(mine, "rb") as a, open(theirs, "rb") as b:
            self.assertEqual(a.read(), b.read())
        self.assertEqual(torvane.load(mine), self.OBJECTS)

    def test_bad_objects_and_files_raise(self):
        target = os.path.join(WORK, "keep.tvn")
        torvane.save(target, self.OBJECTS)
        with self.assertRaisesRegex(ValueError, r'objects\[1\]: "blue"'):
            torvane.save(target, [self.OBJECTS[0], dict(self.OBJECTS[1], blue=300)])
        self.assertEqual(torvane.load(target), self.OBJECTS)  # the old scene is intact
        with self.assertRaises(ValueError):
            torvane.load(os.path.join(WORK, "no such file.tvn"))

    def test_merge_does_what_the_tool_does(self):
        example = os.path.join(EXAMPLES, "four_lines.tvn")
        objects, report = torvane.merge(torvane.load(example), [0, 1], [2, 3])
        self.assertTrue(report["ok"])
        self.assertTrue(report["report"].startswith(
            "Translate: -150.0000, New circle: (50.000, 50.000, 50.000)"))
        applied = os.path.join(WORK, "merged.tvn")
        rc, _, _ = cli(["merge", example, "--cluster1", "0,1", "--cluster2", "2,3", "--apply", applied])
        self.assertEqual(rc, 0)
        self.assertEqual(objects, torvane.load(applied))
        self.assertEqual(objects[-1]["red"], 255)

        for args, pattern in ((([0, 1, 2], [3, 4]), "cluster 1 needs two objects"),
                              (([0, 1], [2, 9]), "object 9 does not exist")):
            with self.assertRaisesRegex(ValueError, pattern):
                torvane.merge(torvane.load(example), *args)
        with self.assertRaisesRegex(ValueError, "mode"):
            torvane.merge(torvane.load(example), [0, 1], [2, 3], mode="sideways")

    def test_version_is_the_tools(self):
        self.assertEqual(cli(["--version"])[1].strip(), "torvane-cli " + torvane.__version__)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
