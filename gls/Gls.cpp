// The translator unit.
