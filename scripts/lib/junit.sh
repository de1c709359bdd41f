# shellcheck shell=bash
# junit_counts FILE: prints "TOTAL FAILED" from the JUnit report CTest wrote with --output-junit,
# or nothing when there is no readable report.
junit_counts() {
    python3 - "$1" 2>/dev/null <<'PYTHON' || true
import sys
import xml.etree.ElementTree as tree

suite = tree.parse(sys.argv[1]).getroot()
print(suite.get("tests"), suite.get("failures"))
PYTHON
}
