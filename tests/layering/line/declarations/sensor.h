// A line header that names a screen class without including its header.
class BaseEngine;
class SensorView;
