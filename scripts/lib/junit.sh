# shellcheck shell=bash
# junit_counts FILE: prints "PASSED FAILED SKIPPED" from the JUnit report that CTest wrote with
# --output-junit, or nothing when there is no readable report.
junit_counts() {
    python3 - "$1" 2>/dev/null <<'PYTHON' || true
import sys
import xml.etree.ElementTree as tree

suite = tree.parse(sys.argv[1]).getroot()
failed, skipped = int(suite.get("failures")), int(suite.get("skipped"))
print(int(suite.get("tests")) - failed - skipped, failed, skipped)
PYTHON
}
