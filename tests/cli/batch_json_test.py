"""The batch tool's JSON as a user scripts it: outputs checked against the published
schemas, --jsonl against one `solve --json` per problem, exit codes, unknown fields,
and scenes through JSON and back byte for byte.

Run: batch_json_test.py CLI SCHEMA_DIR WORK_DIR EXAMPLES_DIR"""

import concurrent.futures
import json
import os
import random
import subprocess
import sys
import unittest

import jsonschema

CLI, SCHEMAS, WORK, EXAMPLES = sys.argv[1:5]

WORKED = {"mode": "translate",
          "cluster1": [{"kind": "L", "x0": 0, "y0": 0, "x1": 10, "y1": 0},
                       {"kind": "C", "x": 5, "y": 15, "r": -5}],
          "cluster2": [{"kind": "C", "x": 30, "y": 10, "r": 5},
                       {"kind": "L", "x0": 40, "y0": 0, "x1": 40, "y1": 10}]}
# The solver succeeds, but every root of the shift is complex.
ALL_COMPLEX = {"mode": "translate",
               "cluster1": [{"kind": "C", "x": 0, "y": 0, "r": 2},
                            {"kind": "C'", "x": 0, "y": 0, "r": 0.5}],
               "cluster2": [{"kind": "L", "x0": 0, "y0": 0, "x1": 1, "y1": 0},
                            {"kind": "L", "x0": 10, "y0": 0, "x1": 10, "y1": 1}]}


def run(args, stdin=""):
    p = subprocess.run([CLI] + args, input=stdin, capture_output=True, text=True, timeout=300)
    return p.returncode, p.stdout, p.stderr


def validator(name):
    store = {}
    for f in os.listdir(SCHEMAS):
        with open(os.path.join(SCHEMAS, f)) as fh:
            s = json.load(fh)
        store[s["$id"]] = s
    schema = store["https://torvane.example/schema/1/" + name]
    jsonschema.Draft202012Validator.check_schema(schema)
    try:  # jsonschema 4.18 and later resolve references through a registry
        import referencing
        registry = referencing.Registry().with_resources(
            (uri, referencing.Resource.from_contents(s)) for uri, s in store.items())
        return jsonschema.Draft202012Validator(schema, registry=registry)
    except ImportError:  # Debian 12's jsonschema 4.10
        resolver = jsonschema.RefResolver.from_schema(schema, store=store)
        return jsonschema.Draft202012Validator(schema, resolver=resolver)


def random_object(rng, kinds):
    kind = rng.choice(kinds)
    if kind in ("C", "C'"):
        return {"kind": kind, "x": rng.uniform(-40, 40), "y": rng.uniform(-40, 40),
                "r": rng.uniform(2, 25) * rng.choice((1, -1))}
    x0, y0 = rng.uniform(-40, 40), rng.uniform(-40, 40)
    return {"kind": kind, "x0": x0, "y0": y0,
            "x1": x0 + rng.uniform(-30, 30), "y1": y0 + rng.uniform(-30, 30)}


def random_problem(rng):
    # Mostly the closed-form families; now and then centre constraints, which may
    # reach the exact engine and its complex roots.
    kinds = ["C", "L"] if rng.random() < 0.95 else ["C", "L", "C'", "L'"]
    return {"mode": rng.choice(("translate", "rotate")),
            "cluster1": [random_object(rng, kinds) for _ in range(2)],
            "cluster2": [random_object(rng, kinds) for _ in range(2)]}


class SolveJson(unittest.TestCase):
    def test_results_follow_the_schema(self):
        v = validator("result.schema.json")
        for problem, flags in ((WORKED, []), (WORKED, ["--certify"]), (ALL_COMPLEX, ["--certify"]),
                               ({"mode": "rotate", "cluster1": [], "cluster2": []}, [])):
            rc, out, err = run(["solve", "--json"] + flags, json.dumps(problem))
            result = json.loads(out)
            v.validate(result)
            self.assertEqual(result["schema"], 1)
        self.assertTrue(all(c["certified"] for c in json.loads(
            run(["solve", "--json", "--certify"], json.dumps(WORKED))[1])["candidates"]))

    def test_exit_status_of_solve_and_merge_agree_on_all_complex(self):
        rc, out, _ = run(["solve", "--json"], json.dumps(ALL_COMPLEX))
        result = json.loads(out)
        self.assertEqual(rc, 1)
        self.assertTrue(result["ok"])
        self.assertTrue(all(c["complex"] for c in result["candidates"]))

        scene = os.path.join(WORK, "all_complex.tvn")
        objects = ALL_COMPLEX["cluster1"] + ALL_COMPLEX["cluster2"]
        self.write_scene(scene, objects)
        rc, out, err = run(["merge", scene, "--cluster1", "0,1", "--cluster2", "2,3", "--json"])
        self.assertEqual(rc, 1, err)
        validator("merge-result.schema.json").validate(json.loads(out))
        rc, _, _ = run(["merge", scene, "--cluster1", "0,1", "--cluster2", "2,3"])
        self.assertEqual(rc, 1)

        worked = os.path.join(WORK, "worked.tvn")
        self.write_scene(worked, WORKED["cluster1"] + WORKED["cluster2"])
        rc, out, _ = run(["merge", worked, "--cluster1", "0,1", "--cluster2", "2,3", "--json",
                          "--certify", "--pick", "2"])
        self.assertEqual(rc, 0)
        report = json.loads(out)
        validator("merge-result.schema.json").validate(report)
        self.assertTrue(report["ok"])
        self.assertEqual(report["chosen"], 2)
        self.assertTrue(report["candidates"][2]["certified"])
        rc, _, err = run(["merge", worked, "--cluster1", "0,1", "--cluster2", "2,3", "--pick", "9"])
        self.assertEqual(rc, 2)
        self.assertIn("there are only 4 candidates", err)

    def test_circles_touching_three_objects_follow_the_schemas(self):
        # The 3-4-5 triangle's sides, counter-clockwise: its incircle (1, 1, 1) alone.
        problem = {"mode": "none",
                   "objects": [{"kind": "L", "x0": 0, "y0": 0, "x1": 4, "y1": 0},
                               {"kind": "L", "x0": 4, "y0": 0, "x1": 0, "y1": 3},
                               {"kind": "L", "x0": 0, "y0": 3, "x1": 0, "y1": 0}]}
        validator("problem.schema.json").validate(problem)
        rc, out, err = run(["solve", "--json"], json.dumps(problem))
        self.assertEqual(rc, 0, err)
        result = json.loads(out)
        validator("result.schema.json").validate(result)
        self.assertEqual(len(result["candidates"]), 1)
        circle = result["candidates"][0]
        self.assertEqual(circle["parameter"], 0)
        for key in ("x", "y", "r"):
            self.assertAlmostEqual(circle[key], 1.0, places=12)
        # Clusters belong to the moving modes, objects to mode none.
        for bad in (dict(problem, cluster1=[]), dict(WORKED, objects=problem["objects"])):
            with self.assertRaises(jsonschema.ValidationError):
                validator("problem.schema.json").validate(bad)
            rc, _, err = run(["solve", "--json"], json.dumps(bad))
            self.assertEqual(rc, 2, err)

    def test_a_merge_that_adds_nothing_says_why_on_stderr(self):
        # Cluster 2's centre circle and centre line share no point.
        scene = os.path.join(WORK, "apart.tvn")
        self.write_scene(scene, [{"kind": "L", "x0": 0, "y0": 0, "x1": 1, "y1": 0},
                                 {"kind": "C", "x": 0, "y": 10, "r": 3},
                                 {"kind": "C'", "x": 0, "y": 0, "r": 5},
                                 {"kind": "L'", "x0": 0, "y0": 20, "x1": 1, "y1": 20}])
        rc, out, err = run(["merge", scene, "--cluster1", "0,1", "--cluster2", "2,3"])
        self.assertEqual(rc, 1, err)
        self.assertIn("The two centre constraints of cluster 2 (C' and L') do not meet, so no "
                      "centre is possible.", err)

    def write_scene(self, path, objects):
        source = path + ".json"
        with open(source, "w") as f:
            json.dump({"objects": objects}, f)
        rc, _, err = run(["from-json", source, path])
        self.assertEqual(rc, 0, err)

    def test_unknown_or_misspelt_fields_are_named(self):
        cases = [
            (dict(WORKED, tolerance=1e-3), 'unknown field "tolerance"'),
            (dict(WORKED, cluster2=[{"kind": "C", "x": 1, "y": 2, "radius": 3}, WORKED["cluster2"][1]]),
             'cluster2[0]: unknown field "radius"'),
            (dict(WORKED, cluster1=[{"knid": "L", "x0": 0, "y0": 0, "x1": 1, "y1": 0}]),
             'cluster1[0]: unknown field "knid"'),
            (dict(WORKED, cluster1=[{"kind": "C", "x": 0, "y": 0, "r": 1, "x1": 4}]),
             'cluster1[0]: field "x1" does not belong to a circle'),
            (dict(WORKED, schema=2), '"schema" must be a whole number from 1 to 1'),
        ]
        for problem, expected in cases:
            rc, out, err = run(["solve", "--json"], json.dumps(problem))
            self.assertEqual(rc, 2, expected)
            self.assertEqual(out, "")
            self.assertEqual(err.count("\n"), 1, err)
            self.assertIn(expected, err)
        # A key repeated in the text is refused rather than silently overridden.
        rc, _, err = run(["solve"], '{"mode":"translate","mode":"rotate","cluster1":[],"cluster2":[]}')
        self.assertEqual(rc, 2)
        self.assertIn('field "mode" is given twice', err)
        # The schema's own example problem is accepted with its optional version.
        rc, _, _ = run(["solve", "--json"], json.dumps(dict(WORKED, schema=1)))
        self.assertEqual(rc, 0)

    def test_trace_goes_to_stderr(self):
        rc, out, err = run(["solve", "--json", "--trace"], json.dumps(ALL_COMPLEX))
        self.assertEqual(rc, 1)
        self.assertTrue(err.strip(), "no trace")
        json.loads(out)  # stdout stays pure JSON


class JsonLines(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        rng = random.Random(2024)
        cls.problems = [random_problem(rng) for _ in range(2000)]
        lines = [json.dumps(p) for p in cls.problems]
        # Bad lines mixed in at known places; the run must go on past them.
        cls.bad = {7: "{\"mode\":\"translate\"", 100: "", 555: json.dumps(dict(WORKED, extra=1)),
                   1200: "[1,2,3]", 1999: "{\"mode\":\"rotate\",\"cluster1\":[],\"cluster2\":[]} x"}
        for at in sorted(cls.bad):
            lines.insert(at - 1, cls.bad[at])
        cls.text = "\n".join(lines) + "\n"

    def parse(self, out):
        results = [json.loads(line) for line in out.splitlines()]
        self.assertEqual([r["line"] for r in results], list(range(1, len(results) + 1)))
        return results

    def test_lines_in_order_bad_lines_reported_and_threads_agree(self):
        v = validator("jsonl-line.schema.json")
        rc1, out1, err1 = run(["solve", "--jsonl", "--threads", "1"], self.text)
        rc3, out3, _ = run(["solve", "--jsonl", "--threads", "3"], self.text)
        self.assertEqual(rc1, 2)
        self.assertEqual(rc3, 2)
        self.assertIn("5 of 2005 lines", err1)
        one, three = self.parse(out1), self.parse(out3)
        self.assertEqual(len(one), 2005)
        for a, b in zip(one, three):
            v.validate(a)
            a.pop("seconds", None)
            b.pop("seconds", None)
            self.assertEqual(a, b)
        self.assertEqual(sorted(r["line"] for r in one if "error" in r), sorted(self.bad))

    def test_each_line_equals_solve_json(self):
        rc, out, _ = run(["solve", "--jsonl", "--threads", "2"], self.text)
        good = [r for r in self.parse(out) if "error" not in r]
        self.assertEqual(len(good), len(self.problems))

        def single(problem):
            return json.loads(run(["solve", "--json"], json.dumps(problem))[1])

        with concurrent.futures.ThreadPoolExecutor(4) as pool:
            singles = list(pool.map(single, self.problems))
        for line, alone in zip(good, singles):
            for key in ("ok", "solver", "message", "candidates"):
                self.assertEqual(line[key], alone[key], "line %d" % line["line"])

    def test_crlf_and_missing_last_newline(self):
        text = json.dumps(WORKED) + "\r\n" + json.dumps(WORKED)
        rc, out, _ = run(["solve", "--jsonl"], text)
        self.assertEqual(rc, 0)
        results = self.parse(out)
        self.assertEqual(len(results), 2)
        self.assertEqual(results[0]["candidates"], results[1]["candidates"])


class SceneJson(unittest.TestCase):
    OBJECTS = [
        {"kind": "C", "x": 1, "y": 2, "r": -3, "red": 255, "green": 0, "blue": 0, "width": 1, "dashed": 0},
        {"kind": "L", "x0": 0.1, "y0": -0.0, "x1": 1e-300, "y1": 5e-324, "red": 1, "green": 2,
         "blue": 3, "width": 4, "dashed": 1},
        {"kind": "C'", "x": -166.502, "y": 1.7976931348623157e308, "r": 0.30000000000000004,
         "red": 0, "green": 128, "blue": 255, "width": 7, "dashed": 1},
        {"kind": "L'", "x0": 0, "y0": 0, "x1": 5, "y1": 0, "red": 9, "green": 9, "blue": 9,
         "width": 1, "dashed": 0},
    ]

    def test_every_kind_round_trips_exactly(self):
        source = os.path.join(WORK, "scene.json")
        first, second = os.path.join(WORK, "scene1.tvn"), os.path.join(WORK, "scene2.tvn")
        with open(source, "w") as f:
            json.dump({"schema": 1, "objects": self.OBJECTS}, f)
        self.assertEqual(run(["from-json", source, first])[0], 0)
        rc, out, _ = run(["to-json", first])
        self.assertEqual(rc, 0)
        scene = json.loads(out)
        validator("scene.schema.json").validate(scene)
        self.assertEqual(scene["objects"], self.OBJECTS)  # every double read back exactly
        self.assertEqual(str(scene["objects"][1]["y0"]), "-0.0")
        again = os.path.join(WORK, "again.json")
        with open(again, "w") as f:
            f.write(out)
        self.assertEqual(run(["from-json", again, second])[0], 0)
        with open(first, "rb") as a, open(second, "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_example_scenes_come_back_byte_identical(self):
        for name in sorted(os.listdir(EXAMPLES)):
            if not name.endswith(".tvn"):
                continue
            original = os.path.join(EXAMPLES, name)
            rc, out, _ = run(["to-json", original])
            self.assertEqual(rc, 0)
            source, copy = os.path.join(WORK, name + ".json"), os.path.join(WORK, "copy-" + name)
            with open(source, "w") as f:
                f.write(out)
            self.assertEqual(run(["from-json", source, copy])[0], 0)
            with open(original, "rb") as a, open(copy, "rb") as b:
                self.assertEqual(a.read(), b.read(), name)

    def test_bad_scene_names_object_and_field_and_writes_nothing(self):
        target = os.path.join(WORK, "untouched.tvn")
        with open(target, "wb") as f:
            f.write(b"\0\0\0\0")
        cases = [
            ({"objects": [self.OBJECTS[0], dict(self.OBJECTS[1], red=256)]}, 'objects[1]: "red"'),
            ({"objects": [dict(self.OBJECTS[0], x="1")]}, 'objects[0]: "x" is not a number'),
            ({"objects": [dict(self.OBJECTS[3], colour=1)]}, 'objects[0]: unknown field "colour"'),
            ({"objects": [{"kind": "Q", "x": 0, "y": 0, "r": 1}]}, 'objects[0]: unknown kind "Q"'),
            ({"objects": [dict(self.OBJECTS[0], width=0)]}, 'objects[0]: "width"'),
        ]
        for scene, expected in cases:
            source = os.path.join(WORK, "bad.json")
            with open(source, "w") as f:
                json.dump(scene, f)
            rc, _, err = run(["from-json", source, target])
            self.assertEqual(rc, 2, expected)
            self.assertIn(expected, err)
            self.assertEqual(err.count("\n"), 1)
            with open(target, "rb") as f:
                self.assertEqual(f.read(), b"\0\0\0\0")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
