// A header of the screen.
class SensorView
{
};
